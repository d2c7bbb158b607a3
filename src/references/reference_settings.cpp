#include "references/reference_settings.h"

#include <QRegularExpression>

namespace {
const QString kFileKey = QStringLiteral("File");
}

QStringList readReferencePaths(const IniFile &ini) {
  static const QRegularExpression fileKey(QStringLiteral("^%1[0-9]+$").arg(kFileKey),
                                          QRegularExpression::CaseInsensitiveOption);
  QStringList paths;
  for (const QString &key : ini.sectionKeys(kReferencesSection)) {
    if (!fileKey.match(key).hasMatch()) continue;
    const QString path = ini.readString(kReferencesSection, key, QString());
    if (!path.isEmpty()) paths << path;
  }
  return paths;
}

void writeReferencePaths(IniFile &ini, const QStringList &paths) {
  ini.eraseSection(kReferencesSection);
  for (int i = 0; i < paths.size(); ++i)
    ini.writeString(kReferencesSection, kFileKey + QString::number(i + 1), paths[i]);
}
