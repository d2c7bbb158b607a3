#include "app/application_identity.h"

#include <QCoreApplication>

void setApplicationIdentity() {
  QCoreApplication::setApplicationName(QStringLiteral("dpv"));
  QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
}
