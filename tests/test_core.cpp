#include "core/system/ProgramInfo.h"
#include "platform/SoundDevices.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace rivonel;

class TestCore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- Title
    void titleIsBuiltFromTheBuildVersion()
    {
        const ProgramVersion v = programVersion();
        QCOMPARE(QString::number(v.major) + u'.' + QString::number(v.minor) + u'.' +
                     QString::number(v.revision),
                 u"0.0.3"_s);
        QCOMPARE(windowTitle(v), u"Rivonel 0.0.3 for Zinc 0.9"_s);
        QCOMPARE(windowTitle({1, 12, 0}), u"Rivonel 1.12.0 for Zinc 0.9"_s);
        QCOMPARE(windowTitle({10, 0, 7}), u"Rivonel 10.0.7 for Zinc 0.9"_s);
    }

    void startupLogHasNoLineEndAfterTheAddress()
    {
        QCOMPARE(startupLog(u"T"_s, u"https://a.example"_s), u"T\r\nhttps://a.example"_s);
        QVERIFY(!webAddress().isEmpty());
    }

    // --- Sound devices
    void playbackDevicesAreCounted_data()
    {
        QTest::addColumn<QByteArray>("pcm");
        QTest::addColumn<int>("count");
        QTest::newRow("none") << QByteArray() << 0;
        QTest::newRow("capture only")
            << QByteArray("00-00: USB Mic : USB Audio : capture 1\n") << 0;
        QTest::newRow("two cards")
            << QByteArray("00-00: ALC892 Analog : ALC892 Analog : playback 1 : capture 1\n"
                          "00-01: ALC892 Digital : ALC892 Digital : playback 1\n"
                          "00-02: ALC892 Alt Analog : ALC892 Alt Analog : capture 1\n"
                          "01-03: HDMI 0 : HDMI 0 : playback 1\n")
            << 3;
        QTest::newRow("name says playback")
            << QByteArray("00-00: playback : playback device : capture 1\n") << 0;
    }

    void playbackDevicesAreCounted()
    {
        QFETCH(QByteArray, pcm);
        QFETCH(int, count);
        QCOMPARE(countPlaybackDevices(pcm), count);
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "test_core.moc"
