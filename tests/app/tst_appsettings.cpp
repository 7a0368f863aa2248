#include "common/core/AppSettings.h"
#include "support/FakeServices.h"

#include <QtTest>

// Stored settings are text; every reader converts it as the program expects and
// falls back to the default for anything it cannot read.
class tst_AppSettings : public QObject {
    Q_OBJECT
private slots:
    void startupWindows_data();
    void startupWindows();
    void autoIndent_data();
    void autoIndent();
    void firstDone_data();
    void firstDone();
    void infoLevelAndGeometry();
    void int16Conversion_data();
    void int16Conversion();
};

void tst_AppSettings::startupWindows_data()
{
    QTest::addColumn<QString>("stored"); // "<absent>" for no value
    QTest::addColumn<bool>("langHelp");
    QTest::addColumn<bool>("drawPad");
    QTest::addColumn<bool>("tips");
    QTest::newRow("absent: defaults") << "<absent>" << true << false << true;
    QTest::newRow("one") << "1" << true << true << true;
    QTest::newRow("one as decimal") << "1.0" << true << true << true;
    QTest::newRow("blanks around one") << " 1 " << true << true << true;
    QTest::newRow("zero") << "0" << false << false << false;
    QTest::newRow("two is not one") << "2" << false << false << false;
    QTest::newRow("minus one is not one") << "-1" << false << false << false;
    QTest::newRow("garbage counts as absent") << "yes please" << true << false << true;
    QTest::newRow("empty counts as absent") << "" << true << false << true;
}

void tst_AppSettings::startupWindows()
{
    QFETCH(QString, stored);
    QFETCH(bool, langHelp);
    QFETCH(bool, drawPad);
    QFETCH(bool, tips);
    FakeServices fake;
    SettingsAccess s(fake.settings, "vormeld");
    if (stored != "<absent>") {
        s.saveSetting("Startup", "LangHelp", stored);
        s.saveSetting("Startup", "DrawPad", stored);
        s.saveSetting("Startup", "Tips", stored);
    }
    QCOMPARE(AppSettings::showLangHelpAtStart(s), langHelp);
    QCOMPARE(AppSettings::showDrawPadAtStart(s), drawPad);
    QCOMPARE(AppSettings::showTipsAtStart(s), tips);
}

void tst_AppSettings::autoIndent_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("on");
    QTest::newRow("absent") << "<absent>" << true;
    QTest::newRow("zero switches off") << "0" << false;
    QTest::newRow("five leaves on") << "5" << true;
    QTest::newRow("minus one") << "-1" << true;
    QTest::newRow("rounds to zero") << "0.4" << false;
    QTest::newRow("half rounds to even zero") << "0.5" << false;
    QTest::newRow("one and a half rounds to two") << "1.5" << true;
    QTest::newRow("too big for 16 bits: default") << "70000" << true;
    QTest::newRow("garbage: default") << "off" << true;
}

void tst_AppSettings::autoIndent()
{
    QFETCH(QString, stored);
    QFETCH(bool, on);
    FakeServices fake;
    SettingsAccess s(fake.settings, "vormeld");
    if (stored != "<absent>")
        s.saveSetting("Edit", "AutoIndent", stored);
    QCOMPARE(AppSettings::readAutoIndent(s), on);
}

void tst_AppSettings::firstDone_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("done");
    QTest::newRow("absent") << "<absent>" << false;
    QTest::newRow("True") << "True" << true;
    QTest::newRow("true lower case") << "true" << true;
    QTest::newRow("False") << "False" << false;
    QTest::newRow("number") << "1" << true;
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("garbage") << "maybe" << false;
}

void tst_AppSettings::firstDone()
{
    QFETCH(QString, stored);
    QFETCH(bool, done);
    FakeServices fake;
    SettingsAccess s(fake.settings, "vormeld");
    if (stored != "<absent>")
        s.saveSetting("Startup", "FirstDone", stored);
    QCOMPARE(AppSettings::readFirstDone(s), done);
}

void tst_AppSettings::infoLevelAndGeometry()
{
    FakeServices fake;
    SettingsAccess s(fake.settings, "vormeld");
    QCOMPARE(AppSettings::readInfoLevel(s), qint16(2));
    QCOMPARE(AppSettings::readGeoString(s), QString());
    s.saveSetting("Run", "InfoLevel", QStringLiteral("4"));
    s.saveSetting("Run", "GeoString", QStringLiteral("800x600+0+0"));
    QCOMPARE(AppSettings::readInfoLevel(s), qint16(4));
    QCOMPARE(AppSettings::readGeoString(s), QStringLiteral("800x600+0+0"));
    s.saveSetting("Run", "InfoLevel", QStringLiteral("x"));
    QCOMPARE(AppSettings::readInfoLevel(s), qint16(2));
    // Settings of another program name are not ours.
    SettingsAccess other(fake.settings, "other");
    other.saveSetting("Run", "InfoLevel", 0);
    QCOMPARE(AppSettings::readInfoLevel(SettingsAccess(fake.settings, "vormeld")), qint16(2));
}

void tst_AppSettings::int16Conversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // -99999: nothing
    QTest::newRow("plain") << "12" << 12;
    QTest::newRow("max") << "32767" << 32767;
    QTest::newRow("min") << "-32768" << -32768;
    QTest::newRow("over") << "32768" << -99999;
    QTest::newRow("2.5 to even") << "2.5" << 2;
    QTest::newRow("3.5 to even") << "3.5" << 4;
    QTest::newRow("nan text") << "nan" << -99999;
    QTest::newRow("inf text") << "inf" << -99999;
}

void tst_AppSettings::int16Conversion()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    const std::optional<qint16> v = AppSettings::toInt16(text);
    QCOMPARE(v ? int(*v) : -99999, value);
}

QTEST_GUILESS_MAIN(tst_AppSettings)
#include "tst_appsettings.moc"
