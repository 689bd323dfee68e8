// The printer port mapping and raw writes, the receipt printer's byte sequences and
// the receipt builder, against files standing in for the devices.
#include "posbill.h"
#include "posprinter.h"
#include "wjerror.h"
#include "wjinifile.h"
#include "wjpath.h"
#include "wjport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QByteArray bytes(std::initializer_list<int> b)
{
    QByteArray r;
    for (int x : b)
        r.append(char(x));
    return r;
}
} // namespace

class TestPosPort : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    QString device;  // the file standing in for the receipt printer

    QString prog(const QString &rel) const { return dir->path() + QLatin1Char('/') + rel; }
    void mapPort(const QString &port, const QString &path)
    {
        TIniFile(prog("sys/WjOptions.ini")).WriteString("PORT", port, path);
    }
    QByteArray written() const
    {
        QFile f(device);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QDir().mkpath(prog("sys"));
        QDir().mkpath(prog("data"));
        WjPath::SetProgramDir(dir->path());
        device = prog("data/lpt1.bin");
        QFile f(device);
        QVERIFY(f.open(QIODevice::WriteOnly));
        mapPort("LPT1", "data\\lpt1.bin");
    }
    void cleanup()
    {
        WjPath::SetProgramDir(QString());
        dir.reset();
    }

    void portNamesMapToDevices_data()
    {
        QTest::addColumn<QString>("entry");  // "name=value" in [PORT], or empty
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("device"); // "@" stands for the program folder
        QTest::newRow("configured device") << "LPT1=/dev/usb/lp0" << "LPT1" << "/dev/usb/lp0";
        QTest::newRow("any case") << "lpt1=/dev/usb/lp1" << "Lpt1" << "/dev/usb/lp1";
        QTest::newRow("relative to the program") << "LPT2=data\\printer.bin" << "LPT2" << "@data/printer.bin";
        QTest::newRow("parallel port by default") << "" << "LPT3" << "/dev/lp2";
    }
    void portNamesMapToDevices()
    {
        QFETCH(QString, entry);
        QFETCH(QString, port);
        QFETCH(QString, device);
        QFile::remove(prog("sys/WjOptions.ini"));
        if (!entry.isEmpty())
            mapPort(entry.section('=', 0, 0), entry.section('=', 1));
        device.replace("@", dir->path() + "/");
        QCOMPARE(WjPort::DevicePath(port), device);
    }

    void unmappedOrMissingDevicesAreClearErrors()
    {
        try {
            WjPort::DevicePath("COM1");
            QFAIL("COM1 has no device");
        } catch (const EWjError &e) {
            QVERIFY2(e.Message().contains("COM1") && e.Message().contains("[PORT]"), qPrintable(e.Message()));
        }
        mapPort("LPT1", "data\\no-printer");
        try {
            WjPort::OpenDrawer();
            QFAIL("a missing device must fail");
        } catch (const EWjError &e) {
            QVERIFY2(e.Message().contains("LPT1") && e.Message().contains("no-printer") && e.Message().contains("设备不存在"),
                     qPrintable(e.Message()));
        }
        QVERIFY(!QFile::exists(prog("data/no-printer")));  // never created
    }

    void drawerPulseAndRawWritesAppend()
    {
        WjPort::OpenDrawer();
        WjPort::WriteBytes("LPT1", "AB");
        QCOMPARE(written(), bytes({0x1B, 0x70, 0x00, 0x3C, 0xFF}) + "AB");
    }

    void aDeviceThatTakesNothingTimesOut()
    {
        // A pipe nobody reads from stands for a printer that is off: its buffer fills.
        const QString fifo = prog("data/stuck");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        mapPort("LPT1", fifo);
        TWjPortFile port("LPT1");
        port.SetTimeout(200);
        port.Open();
        QElapsedTimer t;
        t.start();
        try {
            port.Write(QByteArray(1 << 20, 'x'));
            QFAIL("the write must give up");
        } catch (const EWjError &e) {
            QVERIFY2(e.Message().contains("没有响应"), qPrintable(e.Message()));
        }
        QVERIFY(t.elapsed() < 5000);
        ::close(reader);
    }

    void printerSendsItsByteSequences_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("arg");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("Open") << 0 << 0 << bytes({0x1B, 0x40});
        QTest::newRow("DoubleWidth on") << 1 << 1 << bytes({0x1B, 0x0E});
        QTest::newRow("DoubleWidth off") << 1 << 0 << bytes({0x1B, 0x14});
        QTest::newRow("Feed 300 sends 45") << 2 << 300 << bytes({0x1B, 0x4A, 45, 0x0D, 0x0A});
        QTest::newRow("Feed 255 sends 0") << 2 << 255 << bytes({0x1B, 0x4A, 0, 0x0D, 0x0A});
        QTest::newRow("LineSpacing 24") << 3 << 24 << bytes({0x1B, 0x33, 24, 0x0D, 0x0A});
        QTest::newRow("LineSpacing 510 sends 0") << 3 << 510 << bytes({0x1B, 0x33, 0, 0x0D, 0x0A});
        QTest::newRow("WriteLine in GB18030") << 4 << 0 << QByteArray("\xBA\xCF\xBC\xC6:1.00\r\n");
        QTest::newRow("Close sends nothing") << 5 << 0 << QByteArray();
    }
    void printerSendsItsByteSequences()
    {
        QFETCH(int, op);
        QFETCH(int, arg);
        QFETCH(QByteArray, sent);
        TPosPrinter p;
        QCOMPARE(p.Port(), QString("LPT1"));
        QCOMPARE(p.Handle(), -1);
        switch (op) {
        case 0: p.Open(); break;
        case 1: p.DoubleWidth(arg != 0); break;
        case 2: p.Feed(arg); break;
        case 3: p.LineSpacing(arg); break;
        case 4: p.WriteLine(QStringLiteral("合计:1.00")); break;
        case 5: p.SetActive(true); QVERIFY(p.IsOpen()); p.Close(); break;
        }
        if (op != 5)
            QVERIFY(p.IsOpen());  // Write opened the port
        p.Close();
        QCOMPARE(p.Handle(), -1);
        QCOMPARE(written(), sent);
    }

    void anUnavailablePrinterIsSkippedQuietly()
    {
        mapPort("LPT1", "data\\no-printer");
        TPosPrinter p;
        p.Open();
        p.WriteLine("x");
        QVERIFY(!p.IsOpen());
        QVERIFY(p.LastError().contains("no-printer"));
        // The next port takes the bytes again.
        p.SetPort("LPT2");
        mapPort("LPT2", "data\\lpt1.bin");
        p.Open();
        p.WriteLine("y");
        p.Close();
        QCOMPARE(written(), QByteArray("\x1B\x40y\r\n"));
    }

    void receiptLinesFollowTheLayout_data()
    {
        QTest::addColumn<QString>("content");  // the [内容] section
        QTest::addColumn<QStringList>("body");
        QTest::newRow("without amount, one space") << "" << QStringList({"机油 2瓶 2.25", "黄油 1.5公斤 1.20"});
        QTest::newRow("with amount and separator") << "分隔符=|\n是否打印单价=是\n"
                                                    << QStringList({"机油|2瓶|2.25|4.50", "黄油|1.5公斤|1.20|1.80"});
        QTest::newRow("anything else than 是") << "是否打印单价=否\n" << QStringList({"机油 2瓶 2.25", "黄油 1.5公斤 1.20"});
    }
    void receiptLinesFollowTheLayout()
    {
        QFETCH(QString, content);
        QFETCH(QStringList, body);
        QFile f(prog("sys/Pos.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("[标题]\n2=第一行\n1=第二行\n[标题_设置]\n分栏符=--\n[内容]\n%1[页脚]\nb=再见\na=谢谢\n")
                    .arg(content).toUtf8());
        f.close();
        TBillTicket t;
        t.cashier = "张三";
        t.number = "XP0007";
        t.lines = {{"机油", "2瓶", Currency::FromRaw(22500), Currency::FromRaw(45000)},
                   {"黄油", "1.5公斤", Currency::FromRaw(12000), Currency::FromRaw(18000)}};
        QVERIFY(Currency::TryParse("6.3", &t.due));
        QVERIFY(Currency::TryParse("10", &t.paid));
        QVERIFY(Currency::TryParse("3.7", &t.change));
        TBill bill;
        bill.Head << "left from before";
        bill.Build(t);
        // Head and foot values in file order, not key order; empty settings are lines too.
        QCOMPARE(bill.Head, QStringList({"第一行", "第二行", "收银员:张三 单号:XP0007", "", "--"}));
        QCOMPARE(bill.Body, body);
        QCOMPARE(bill.Foot, QStringList({"", "                   合计:6.30", " 现金:10.00     找零:3.70", "再见", "谢谢"}));
    }
};

QTEST_GUILESS_MAIN(TestPosPort)
#include "test_posport.moc"
