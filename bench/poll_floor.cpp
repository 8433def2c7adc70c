// The least any program polling the radio pays: Qt's serial port and a
// timer, asking STS, GLG and WIN ten times a second and throwing the replies
// away, with no window. bench/poll_cpu.sh runs it in place of Tollvane to
// show, in the same run, what polling costs on this machine at all.
#include <QCoreApplication>
#include <QSerialPort>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: poll_floor PORT\n");
        return 2;
    }
    QSerialPort port(QString::fromLocal8Bit(argv[1]));
    port.setBaudRate(115200);
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    QObject::connect(&port, &QSerialPort::readyRead, &port, [&port] { port.readAll(); });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &port,
                     [&port] { port.write(QByteArrayLiteral("STS\rGLG\rWIN\r")); });
    tick.start(100);
    return app.exec();
}
