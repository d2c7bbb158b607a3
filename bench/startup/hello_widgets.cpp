// The yardstick of the program's start-up time: a Qt Widgets hello-world,
// built in the same build with the same compiler, flags and Qt.
#include <QApplication>
#include <QLabel>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QLabel hello(QStringLiteral("Hello, world"));
  hello.show();
  return app.exec();
}
