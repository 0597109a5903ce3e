#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << "usage: zentrix-cli COMMAND [OPTIONS]\n";
    return 0;
}
