#include "NStatusBar.h"
#include "TestMain.h"

#include <QLabel>
#include <QMainWindow>

namespace {

// The main window's bar: the hint panel, then the game kind with its caption on top of it.
struct MainWindowBar
{
    QMainWindow window;
    TNStatusBar *bar = new TNStatusBar;
    QLabel *caption = nullptr;
    QLabel *kind = nullptr;

    MainWindowBar()
    {
        window.setCentralWidget(new QWidget);
        window.setStatusBar(bar);
        bar->setObjectName(QStringLiteral("statusLine"));
        bar->AddPanel(450);
        bar->AddPanel(50);
        caption = new QLabel(QStringLiteral("Druh hry :"), bar);
        caption->setObjectName(QStringLiteral("gameKindCaption"));
        caption->setGeometry(460, 4, 55, 13);
        kind = new QLabel(QStringLiteral("nevybráno"), bar);
        kind->setObjectName(QStringLiteral("gameKindLabel"));
        kind->setGeometry(520, 4, 120, 13);
        window.setFixedSize(669, 421);
    }
};

QImage Rendered(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool HasInk(const QImage &image, const QRect &area, QRgb background)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != background)
                return true;
    return false;
}

} // namespace

class TestNStatusBar : public QObject
{
    Q_OBJECT
private slots:
    void panelRects_data()
    {
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("width");
        QTest::newRow("first of two") << QList<int>{450, 50} << 0 << 0 << 450;
        QTest::newRow("last reaches the end") << QList<int>{450, 50} << 1 << 452 << 217;
        QTest::newRow("middle of three") << QList<int>{100, 200, 50} << 1 << 102 << 200;
        QTest::newRow("only panel fills the bar") << QList<int>{100} << 0 << 0 << 669;
        QTest::newRow("past the end is empty") << QList<int>{450, 300} << 1 << 452 << 217;
        QTest::newRow("no such panel") << QList<int>{450} << 3 << 0 << 0;
    }
    void panelRects()
    {
        QFETCH(QList<int>, widths);
        QFETCH(int, index);
        QFETCH(int, left);
        QFETCH(int, width);
        TNStatusBar bar;
        bar.resize(669, 19);
        for (int w : widths)
            bar.AddPanel(w);
        const QRect rect = bar.PanelRect(index);
        QCOMPARE(rect.left(), left);
        QCOMPARE(rect.width(), width);
    }

    void panelWidthsFromAForm_data()
    {
        QTest::addColumn<QString>("widths");
        QTest::addColumn<QString>("readBack");
        QTest::addColumn<int>("count");
        QTest::newRow("two panels") << QStringLiteral("450,50") << QStringLiteral("450,50") << 2;
        QTest::newRow("spaces") << QStringLiteral(" 450 , 80 ,20") << QStringLiteral("450,80,20") << 3;
        QTest::newRow("none") << QString() << QString() << 0;
        QTest::newRow("not a figure") << QStringLiteral("450,x") << QStringLiteral("450,0") << 2;
        QTest::newRow("negative") << QStringLiteral("-5") << QStringLiteral("0") << 1;
    }
    void panelWidthsFromAForm()
    {
        QFETCH(QString, widths);
        QFETCH(QString, readBack);
        QFETCH(int, count);
        TNStatusBar bar;
        bar.AddPanel(10, QStringLiteral("kept"));
        QVERIFY(bar.setProperty("PanelWidths", widths));
        QCOMPARE(bar.PanelWidths(), readBack);
        QCOMPARE(bar.PanelCount(), count);
        if (count > 0)
            QCOMPARE(bar.PanelText(0), QStringLiteral("kept"));
    }

    void panelTexts()
    {
        TNStatusBar bar;
        bar.AddPanel(450, QStringLiteral("a"));
        bar.AddPanel(50);
        bar.setPanelText(0, QStringLiteral("      Stiskněte klávesu F1 pro nápovědu"));
        bar.setPanelText(5, QStringLiteral("lost"));
        bar.setPanelText(-1, QStringLiteral("lost"));
        QCOMPARE(bar.PanelText(0), QStringLiteral("      Stiskněte klávesu F1 pro nápovědu"));
        QCOMPARE(bar.PanelText(1), QString());
        QCOMPARE(bar.PanelText(5), QString());
        QCOMPARE(bar.PanelCount(), 2);
    }

    // Controls placed on the bar keep their places whatever happens to the bar and the window.
    void childrenStayWherePlaced()
    {
        MainWindowBar main;
        main.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main.window));
        main.bar->setPanelText(0, QStringLiteral("      Ukončí aktuální hru"));
        main.bar->showMessage(QStringLiteral("Zobrazí tabulku nejlhorších hráčů"));
        QCoreApplication::processEvents();
        main.bar->addWidget(new QLabel(QStringLiteral("laid out")));
        main.bar->clearMessage();
        main.kind->setText(QStringLiteral("Pokročilá"));
        QCoreApplication::processEvents();

        QCOMPARE(main.caption->geometry(), QRect(460, 4, 55, 13));
        QCOMPARE(main.kind->geometry(), QRect(520, 4, 120, 13));
        QVERIFY(main.caption->isVisible());
        QVERIFY(main.kind->isVisible());
        QCOMPARE(main.bar->findChild<QLabel *>(QStringLiteral("gameKindLabel"))->text(), QStringLiteral("Pokročilá"));
        // The bar runs along the bottom of the window and is tall enough for its controls.
        QCOMPARE(main.bar->width(), main.window.width());
        QCOMPARE(main.bar->geometry().bottom(), main.window.height() - 1);
        QVERIFY(main.bar->height() >= main.kind->geometry().bottom() + 1);
    }

    void tallChildGrowsTheBar()
    {
        TNStatusBar bar;
        auto *tall = new QLabel(QStringLiteral("x"), &bar);
        tall->setGeometry(10, 2, 20, 30);
        QVERIFY(bar.sizeHint().height() >= 32);
    }

    // The panel texts and the children are painted; a temporary message takes the first panel.
    void painting()
    {
        MainWindowBar main;
        main.kind->setAutoFillBackground(true);
        QPalette red = main.kind->palette();
        red.setColor(QPalette::Window, Qt::red);
        main.kind->setPalette(red);
        main.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main.window));

        const QImage blank = Rendered(*main.bar);
        const QRgb background = blank.pixel(300, main.bar->height() / 2);
        const QRect textArea(10, 4, 400, main.bar->height() - 8);
        QVERIFY(!HasInk(blank, textArea, background));
        QCOMPARE(blank.pixel(main.kind->geometry().center()), qRgb(255, 0, 0));

        main.bar->setPanelText(0, QStringLiteral("      Stiskněte klávesu F1 pro nápovědu"));
        const QImage withText = Rendered(*main.bar);
        QVERIFY(HasInk(withText, textArea, background));
        // The panel's sunken frame: dark above, light below.
        QVERIFY(withText.pixel(200, main.bar->PanelRect(0).top()) != withText.pixel(200, main.bar->PanelRect(0).bottom()));

        main.bar->showMessage(QStringLiteral("Konec"));
        const QImage withMessage = Rendered(*main.bar);
        QVERIFY(withMessage != withText);
        main.bar->clearMessage();
        QCOMPARE(Rendered(*main.bar), withText);
    }
};

PARBLOK_TEST_MAIN(TestNStatusBar)
#include "tst_nstatusbar.moc"
