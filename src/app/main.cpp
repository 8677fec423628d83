#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glimwerk Console"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Glimwerk Console"));
    window.resize(900, 640);
    window.show();
    return app.exec();
}
