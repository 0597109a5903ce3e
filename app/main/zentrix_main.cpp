#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setObjectName(QStringLiteral("frmMDI"));
    w.setWindowTitle(QStringLiteral("Zentrix0"));
    w.show();
    return app.exec();
}
