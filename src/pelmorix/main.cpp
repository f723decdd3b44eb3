#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel label("Pelmorix V9.0");
    label.show();
    return app.exec();
}
