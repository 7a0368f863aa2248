#include "common/core/AppSettings.h"
#include "support/FakeServices.h"

#include <QtTest>

#include <functional>

// Stored settings are text; every reader converts it as the program expects and
// falls back to the default for anything it cannot read.
class tst_AppSettings : public QObject {
    Q_OBJECT
private slots:
    void readers_data()
    {
        QTest::addColumn<QString>("key");    // "section/key"
        QTest::addColumn<QString>("stored"); // a null string: no value stored
        QTest::addColumn<int>("value");      // what the reader gives, a bool as 0 or 1
        const QString absent;
        for (const char *key : {"Startup/LangHelp", "Startup/DrawPad", "Startup/Tips"}) {
            const bool defaultOn = QByteArray(key) != "Startup/DrawPad";
            QTest::addRow("%s absent: default", key) << key << absent << int(defaultOn);
            QTest::addRow("%s one", key) << key << "1" << 1;
            QTest::addRow("%s one as a decimal, with blanks", key) << key << " 1.0 " << 1;
            QTest::addRow("%s zero", key) << key << "0" << 0;
            QTest::addRow("%s two is not one", key) << key << "2" << 0;
            QTest::addRow("%s garbage counts as absent", key) << key << "yes please" << int(defaultOn);
        }
        QTest::newRow("AutoIndent absent") << "Edit/AutoIndent" << absent << 1;
        QTest::newRow("AutoIndent zero switches off") << "Edit/AutoIndent" << "0" << 0;
        QTest::newRow("AutoIndent minus one") << "Edit/AutoIndent" << "-1" << 1;
        QTest::newRow("AutoIndent rounds to zero") << "Edit/AutoIndent" << "0.4" << 0;
        QTest::newRow("AutoIndent too big for 16 bits: default") << "Edit/AutoIndent" << "70000" << 1;
        QTest::newRow("AutoIndent garbage: default") << "Edit/AutoIndent" << "off" << 1;
        QTest::newRow("FirstDone absent") << "Startup/FirstDone" << absent << 0;
        QTest::newRow("FirstDone true lower case") << "Startup/FirstDone" << "true" << 1;
        QTest::newRow("FirstDone False") << "Startup/FirstDone" << "False" << 0;
        QTest::newRow("FirstDone number") << "Startup/FirstDone" << "1" << 1;
        QTest::newRow("FirstDone garbage") << "Startup/FirstDone" << "maybe" << 0;
        QTest::newRow("InfoLevel absent") << "Run/InfoLevel" << absent << 2;
        QTest::newRow("InfoLevel four") << "Run/InfoLevel" << "4" << 4;
        QTest::newRow("InfoLevel garbage") << "Run/InfoLevel" << "x" << 2;
        QTest::newRow("EveryKeyword absent") << "Edit/EveryKeyword" << absent << 0;
        QTest::newRow("EveryKeyword 1") << "Edit/EveryKeyword" << "1" << 1;
    }
    void readers()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        using namespace AppSettings;
        const QMap<QString, std::function<int(const SettingsAccess &)>> readers{
            {"Startup/LangHelp", showLangHelpAtStart}, {"Startup/DrawPad", showDrawPadAtStart},
            {"Startup/Tips", showTipsAtStart},         {"Edit/AutoIndent", readAutoIndent},
            {"Startup/FirstDone", readFirstDone},      {"Run/InfoLevel", readInfoLevel},
            {"Edit/EveryKeyword", readEveryKeyword}};
        MemorySettingsStore store; // empty, unlike the fake services' (first start done, no tip window)
        SettingsAccess s(store, "vormeld");
        if (!stored.isNull())
            s.saveSetting(key.section('/', 0, 0), key.section('/', 1), stored);
        QTEST(readers.value(key)(s), "value");
    }
    void int16AndTextSettings()
    {
        const QList<std::pair<QString, int>> texts{ // -99999: nothing
            {"32767", 32767}, {"-32768", -32768}, {"32768", -99999}, {"2.5", 2},
            {"3.5", 4},       {"-2.5", -2},       {"nan", -99999},   {"inf", -99999}};
        for (const auto &[text, value] : texts) {
            const std::optional<qint16> v = AppSettings::toInt16(text);
            QCOMPARE(v ? int(*v) : -99999, value);
        }

        FakeServices fake;
        SettingsAccess s(fake.settings, "vormeld");
        QCOMPARE(AppSettings::readGeoString(s), QString());
        s.saveSetting("Run", "GeoString", QStringLiteral("800x600+0+0"));
        QCOMPARE(AppSettings::readGeoString(s), QStringLiteral("800x600+0+0"));
        // Settings of another program name are not ours.
        SettingsAccess(fake.settings, "other").saveSetting("Run", "InfoLevel", 0);
        QCOMPARE(AppSettings::readInfoLevel(s), qint16(2));
    }
};

QTEST_GUILESS_MAIN(tst_AppSettings)
#include "tst_appsettings.moc"
