#include "StartUp.h"

#include "Data.h"
#include "DotazKonec.h"
#include "GradProgress.h"
#include "Hlavni.h"
#include "Hra1.h"
#include "Hra2.h"
#include "Kopie.h"
#include "Napoveda.h"
#include "OProgramu.h"
#include "Ovladani.h"
#include "Ovladani1.h"
#include "Placement.h"
#include "Pomocnik.h"
#include "SingleInstance.h"
#include "Spusteni.h"
#include "Tabulka.h"
#include "TApplication.h"
#include "Uvitani.h"
#include "Vymazat.h"
#include "Vysledek.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QThread>
#include <array>

namespace {

template <class T>
std::unique_ptr<QObject> make()
{
    return std::make_unique<T>();
}

const std::array<StartUpStep, 14> Steps{{
    {"TDataModule1", make<TDataModule1>, 10},
    {"THlavniDialog", make<THlavniDialog>, 15},
    {"TUvitaniDialog", make<TUvitaniDialog>, 20},
    {"TNapovedaDialog", make<TNapovedaDialog>, 25},
    {"TPomocnikDialog", make<TPomocnikDialog>, 30},
    {"THra2Dialog", make<THra2Dialog>, 35},
    {"THra1Dialog", make<THra1Dialog>, 40},
    {"TVysledekDialog", make<TVysledekDialog>, 45},
    {"TOvladani1Dialog", make<TOvladani1Dialog>, 50},
    {"TOvladaniDialog", make<TOvladaniDialog>, 55},
    {"TDotazKonecDialog", make<TDotazKonecDialog>, 60},
    {"TVymazatDialog", make<TVymazatDialog>, 65},
    {"TTabulkaDialog", make<TTabulkaDialog>, 70},
    {"TOProgramuDialog", make<TOProgramuDialog>, 75},
}};

const QString MainWindowCaption = QStringLiteral("Parblok 2000");

// A test hook: the milliseconds every creation step is drawn out by, so that the splash can be
// watched while the windows are created.
int StepDelayForTesting()
{
    return qEnvironmentVariableIntValue("PARBLOK2000_STEP_DELAY_MS");
}

int RunRefusedStart()
{
    const TRefusedStart windows = ShowRefusedStart();
    return QApplication::exec();
}

int RunNormalStart()
{
    auto splash = std::make_unique<TSpusteniDialog>();
    splash->ShowNow();
    // Other copies are answered from now on, while this one is busy creating its windows too.
    TAnsweringThread answerer;
    answerer.listen();
    const CreationHook reportMainWindow = ReportMainWindowTo(answerer);
    const int delayMs = StepDelayForTesting();
    TGradProgress *progress = splash->progressBar;
    const TProgramWindows windows = CreateProgramWindows(
        CreationSteps(), [progress](int position) { progress->setPosition(position); },
        [&](const StartUpStep &step, QObject *created) {
            reportMainWindow(step, created);
            if (delayMs > 0)
                QThread::msleep(delayMs);
        });
    splash->hide();
    splash.reset();

    THlavniDialog *mainWindow = HlavniDialog();
    if (mainWindow == nullptr)
        return 1;
    mainWindow->show();
    return QApplication::exec();
}

} // namespace

std::span<const StartUpStep> CreationSteps()
{
    return Steps;
}

TProgramWindows::~TProgramWindows()
{
    while (!m_objects.empty())
        m_objects.pop_back();
}

void TProgramWindows::add(std::unique_ptr<QObject> object)
{
    m_objects.push_back(std::move(object));
}

TProgramWindows CreateProgramWindows(std::span<const StartUpStep> steps, const ProgressSetter &setProgress,
                                     const CreationHook &hook)
{
    TProgramWindows windows;
    setProgress(ProgressBeforeCreation);
    for (const StartUpStep &step : steps) {
        QObject *created = nullptr;
        try {
            std::unique_ptr<QObject> object = step.create();
            created = object.get();
            windows.add(std::move(object));
        } catch (const std::exception &error) {
            TApplication::HandleException(error);
        }
        setProgress(step.progress);
        if (hook)
            hook(step, created);
    }
    for (const int position : ProgressAfterCreation)
        setProgress(position);
    return windows;
}

CreationHook ReportMainWindowTo(TAnsweringThread &answerer)
{
    return [&answerer](const StartUpStep &, QObject *created) {
        THlavniDialog *window = HlavniDialog();
        if (window == nullptr || created != window)
            return;
        const auto report = [&answerer, window] {
            answerer.setWindow(
                {QString::fromLatin1(window->metaObject()->className()), window->windowTitle()});
        };
        report();
        QObject::connect(window, &QWidget::windowTitleChanged, &answerer, report);
    };
}

TRefusedStart ShowRefusedStart()
{
    TRefusedStart windows;
    windows.assistant = std::make_unique<TPomocnikDialog>();
    TPomocnikDialog *assistant = windows.assistant.get();
    // This copy has neither a main window nor a welcome window.
    assistant->setWelcomeAllowed(false);
    // The assistant is this copy's main window: closing it ends the program.
    assistant->setAttribute(Qt::WA_QuitOnClose, true);
    windows.notice = std::make_unique<TKopieDialog>();

    assistant->move(centredFramePosition(placementArea(), assistant->frameGeometry().size()));
    PlaceBesideAssistant(PlacementCaller::RefusedStart, windows.notice.get());

    // The notice first; the assistant, like a main window, is shown once the message loop runs.
    windows.notice->show();
    QMetaObject::invokeMethod(assistant, &QWidget::show, Qt::QueuedConnection);
    return windows;
}

int RunProgram()
{
    if (FindRunningWindow(QString::fromLatin1(THlavniDialog::staticMetaObject.className()),
                          MainWindowCaption))
        return RunRefusedStart();
    return RunNormalStart();
}
