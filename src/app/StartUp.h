#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class TAnsweringThread;
class TKopieDialog;
class TPomocnikDialog;

// The program's entry sequence. A copy that finds another one running (its main window captioned
// "Parblok 2000") shows only the already-running notice beside the centred assistant. Otherwise
// the splash window comes up, every window of the program is created once in a fixed order while
// the splash's bar advances, the splash goes, and the main window is shown.

// One step of a normal start: the class it creates and where the splash's bar stands afterwards.
struct StartUpStep
{
    const char *className;
    std::unique_ptr<QObject> (*create)();
    int progress;
};

// The fourteen steps, in the order they run.
std::span<const StartUpStep> CreationSteps();

// The bar's position before the first step and after the last, in the order they are set.
inline constexpr int ProgressBeforeCreation = 5;
inline constexpr int ProgressAfterCreation[] = {90, 100};

// Everything a normal start created; destroyed in the reverse order of creation.
class TProgramWindows
{
public:
    TProgramWindows() = default;
    TProgramWindows(TProgramWindows &&) = default;
    TProgramWindows &operator=(TProgramWindows &&) = delete;
    ~TProgramWindows();

    void add(std::unique_ptr<QObject> object);
    std::size_t size() const { return m_objects.size(); }

private:
    std::vector<std::unique_ptr<QObject>> m_objects;
};

using ProgressSetter = std::function<void(int position)>;
using CreationHook = std::function<void(const StartUpStep &step, QObject *created)>;

// Runs `steps`: the bar at ProgressBeforeCreation, then each step's creation followed by its bar
// position and the hook (given null when the creation failed), then the bar at
// ProgressAfterCreation. An error raised while a window is made is reported in a message box and the
// sequence goes on with the next step.
TProgramWindows CreateProgramWindows(std::span<const StartUpStep> steps, const ProgressSetter &setProgress,
                                     const CreationHook &hook = {});

// A hook that has `answerer` report the main window to other copies from the moment it is created,
// and its caption whenever that changes.
CreationHook ReportMainWindowTo(TAnsweringThread &answerer);

// The two windows of a refused start, placed: the assistant centred on the screen (it ends the
// program when it is closed), the notice beside it with its bottom edge level. The notice is shown
// at once; the assistant, like a main window, once the message loop runs.
struct TRefusedStart
{
    std::unique_ptr<TPomocnikDialog> assistant;
    std::unique_ptr<TKopieDialog> notice;
};
TRefusedStart ShowRefusedStart();

// The whole start after the application object exists; returns the message loop's result.
int RunProgram();
