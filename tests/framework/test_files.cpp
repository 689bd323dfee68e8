// Program-folder paths, ini files in both encodings, and web-archive notes.
#include "wjinifile.h"
#include "wjmht.h"
#include "wjpath.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

class TestFiles : public QObject
{
    Q_OBJECT

    static void write(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray gb(const QString &s)
    {
        QStringEncoder enc("GB18030");
        return enc.encode(s);
    }
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void windowsNamesReachOneFile()
    {
        QTemporaryDir dir;
        write(dir.path() + "/sys/WjOptions.ini", "[DT]\nTAG=1\n");
        const QString real = QDir::cleanPath(dir.path() + "/sys/WjOptions.ini");
        for (const QString &name : {QStringLiteral("SYS\\WjOptions.ini"), QStringLiteral(".\\sys\\wjoptions.ini"),
                                    QStringLiteral(".\\Sys\\WJOPTIONS.INI"), QStringLiteral("sys/WjOptions.ini")})
            QCOMPARE(WjPath::Resolve(dir.path(), name), real);
        // A file that does not exist yet lands in the existing folder, in the spelling given.
        QCOMPARE(WjPath::Resolve(dir.path(), ".\\SYS\\Pos.ini"), QDir::cleanPath(dir.path() + "/sys/Pos.ini"));
        QCOMPARE(WjPath::Resolve(dir.path(), "New\\a.fmt"), QDir::cleanPath(dir.path() + "/New/a.fmt"));
    }

    void iniKeysAreCaseInsensitiveInFileOrder()
    {
        QTemporaryDir dir;
        const QString p = dir.path() + "/a.ini";
        write(p, "; layout\n[Head]\nZeta=3\nalpha = 1 \nMid=\"quoted text\"\n\n[Other]\nK=v\n");
        TIniFile ini(p);
        QCOMPARE(ini.ReadSection("HEAD"), QStringList({"Zeta", "alpha", "Mid"}));
        QCOMPARE(ini.ReadInteger("head", "ZETA", 0), 3);
        QCOMPARE(ini.ReadString("Head", "ALPHA"), QString("1"));
        QCOMPARE(ini.ReadString("Head", "Mid"), QString("quoted text"));
        QCOMPARE(ini.ReadString("Head", "missing", "dflt"), QString("dflt"));
        QCOMPARE(ini.ReadInteger("Head", "Mid", 7), 7);  // not a number: the default
        QCOMPARE(ini.ReadInteger("Nope", "K", -1), -1);
        ini.WriteString("other", "NEW", "x");
        ini.WriteString("HEAD", "zeta", "4");
        const QByteArray text = read(p);
        QVERIFY(text.startsWith("; layout\n[Head]\n"));  // comment and section kept
        QVERIFY(text.contains("Zeta=4\n"));
        TIniFile again(p);
        QCOMPARE(again.ReadSection("Other"), QStringList({"K", "NEW"}));
        QCOMPARE(again.ReadString("Head", "alpha"), QString("1"));
    }

    void iniEncodingsAreReadAndKept_data()
    {
        QTest::addColumn<QByteArray>("prefix");
        QTest::addColumn<bool>("gbk");
        QTest::addColumn<int>("encoding");
        QTest::newRow("gb18030") << QByteArray() << true << int(TIniFile::Encoding::Gb18030);
        QTest::newRow("utf8") << QByteArray() << false << int(TIniFile::Encoding::Utf8);
        QTest::newRow("utf8-bom") << QByteArray("\xEF\xBB\xBF") << false << int(TIniFile::Encoding::Utf8Bom);
    }
    void iniEncodingsAreReadAndKept()
    {
        QFETCH(QByteArray, prefix);
        QFETCH(bool, gbk);
        QFETCH(int, encoding);
        QTemporaryDir dir;
        const QString p = dir.path() + "/nav.ini";
        const QString text = QStringLiteral("[开始启动]\nItem=进货管理\nHeaderIndex=1\n[客户档案]\nDLLNAME=BaseMod\n");
        write(p, prefix + (gbk ? gb(text) : text.toUtf8()));
        TIniFile ini(p);
        QCOMPARE(int(ini.FileEncoding()), encoding);
        QCOMPARE(ini.ReadString("开始启动", "item"), QStringLiteral("进货管理"));
        QCOMPARE(ini.ReadSections(), QStringList({QStringLiteral("开始启动"), QStringLiteral("客户档案")}));
        ini.WriteString("客户档案", "FUNNAME", QStringLiteral("基础资料"));
        const QByteArray after = read(p);
        QVERIFY(after.startsWith(prefix));
        const QByteArray expectedTail = gbk ? gb(QStringLiteral("FUNNAME=基础资料")) : QStringLiteral("FUNNAME=基础资料").toUtf8();
        QVERIFY(after.contains(expectedTail));
        QCOMPARE(TIniFile(p).ReadString("客户档案", "funname"), QStringLiteral("基础资料"));
    }

    void newIniFileIsUtf8()
    {
        QTemporaryDir dir;
        TIniFile ini(dir.path() + "/new.ini");
        ini.WriteString("节", "键", "值");
        QCOMPARE(read(dir.path() + "/new.ini"), QStringLiteral("[节]\n键=值\n").toUtf8());
    }

    void webArchiveGivesItsHtmlPart()
    {
        const QByteArray html = "<html><body><p>" + gb(QStringLiteral("首次使用说明")) + "</p></body></html>";
        QByteArray qp;
        for (char c : html) {
            const unsigned char u = static_cast<unsigned char>(c);
            if (u >= 128 || c == '=')
                qp += '=' + QByteArray::number(u, 16).toUpper().rightJustified(2, '0');
            else
                qp += c;
        }
        qp.insert(qp.indexOf("<body>"), "=\r\n");  // a soft line break
        const QByteArray mht =
            "From: <Saved by a browser>\r\nMIME-Version: 1.0\r\n"
            "Content-Type: multipart/related;\r\n\tboundary=\"----=_NextPart_000\";\r\n\ttype=\"text/html\"\r\n\r\n"
            "This is a multi-part message in MIME format.\r\n\r\n"
            "------=_NextPart_000\r\nContent-Type: text/html;\r\n\tcharset=\"gb2312\"\r\n"
            "Content-Transfer-Encoding: quoted-printable\r\n\r\n" + qp + "\r\n\r\n"
            "------=_NextPart_000\r\nContent-Type: image/gif\r\nContent-Transfer-Encoding: base64\r\n\r\nR0lGODlh\r\n"
            "------=_NextPart_000--\r\n";
        const QString out = WjMht::HtmlPart(mht);
        QVERIFY2(out.contains(QStringLiteral("<p>首次使用说明</p>")), qPrintable(out));
        QVERIFY(!out.contains("R0lGOD"));
        // A plain HTML file is shown as it is.
        QCOMPARE(WjMht::HtmlPart("<html>x</html>"), QString("<html>x</html>"));
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "test_files.moc"
