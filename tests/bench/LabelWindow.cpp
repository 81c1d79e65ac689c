// The smallest Qt Widgets window, the yardstick that scripts/measure-startup.sh compares the
// programs' start-up with.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("Hello");
    label.show();
    return app.exec();
}
