// A stand-in for another program's window: shows one window with the title given on the
// command line and ends when that window is closed.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) return 2;
    QWidget window;
    window.setWindowTitle(QString::fromUtf8(argv[1]));
    window.resize(200, 100);
    window.show();
    return app.exec();
}
