#include "TestMain.h"

#include <QFontInfo>

// Run with a font configuration that lacks the Liberation fonts (see CMakeLists.txt): the forms'
// fonts still land on faces of the same metrics, not on the wider DejaVu faces.
class TestFontFallback : public QObject
{
    Q_OBJECT
private slots:
    void metricCompatibleFaceBeforeWiderOne_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("face");
        QTest::newRow("MS Sans Serif") << QStringLiteral("MS Sans Serif") << QStringLiteral("Nimbus Sans");
        QTest::newRow("Times New Roman") << QStringLiteral("Times New Roman") << QStringLiteral("Nimbus Roman");
        QTest::newRow("Arial") << QStringLiteral("Arial") << QStringLiteral("Nimbus Sans");
    }
    void metricCompatibleFaceBeforeWiderOne()
    {
        QFETCH(QString, family);
        QFETCH(QString, face);
        QFont font(family);
        font.setPixelSize(13);
        // The face's family, without the foundry a family of several foundries is shown with.
        QCOMPARE(QFontInfo(font).family().section(QStringLiteral(" ["), 0, 0), face);
    }
};

PARBLOK_TEST_MAIN(TestFontFallback)
#include "tst_fontfallback.moc"
