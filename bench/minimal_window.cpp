// What the window's start-up is measured against: a Qt Widgets window of the same size with one
// button, and nothing else (bench/startup.py).
#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(280, 313);
  QPushButton button(QStringLiteral("Open"), &window);
  button.setGeometry(168, 280, 105, 25);
  window.show();
  return QApplication::exec();
}
