#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// A temporary program folder for the window tests, and the windows built over it.
//
// While the fixture lives the program finds its settings file and its Data, Zvuky and Html
// folders in the temporary folder; when it goes, the program folder returns to the one in use
// before (an enclosing fixture's, or the executable's). Windows made through the fixture are
// destroyed in the reverse order of their making, before the folder goes.
class ProgramFolderFixture
{
public:
    // What the Data folder holds at the start.
    enum class Data {
        None,          // no Data folder: the results table fails to open
        ResultsTable,  // an empty results table, and an empty Zaloha folder
        WithBackup,    // an empty results table, and one in Zaloha
        ShippedTable,  // the results table the program is shipped with
    };

    explicit ProgramFolderFixture(Data data = Data::None);
    ~ProgramFolderFixture();
    ProgramFolderFixture(const ProgramFolderFixture &) = delete;
    ProgramFolderFixture &operator=(const ProgramFolderFixture &) = delete;

    // Whether the folder and the contents asked for were made.
    bool isValid() const { return m_valid; }

    // The folder, ending with the separator; a file or folder in it; a file in its Data folder.
    QString path() const;
    QString filePath(const QString &name) const;
    QString data(const QString &name) const;

    // Writes an empty results table into Data (and into Data/Zaloha when `backup`), replacing any.
    bool writeResultsTable(bool backup = false);

    // Lays the manual's program (ManualKvadr) and its start page (Html/Parblok2000/Index.htm),
    // both empty, as asked.
    bool addManual(bool program = true, bool page = true);

    // Writes a short silent sound Zvuky/`name`.
    bool addSound(const QString &name);

    // Makes a window (or the data module); the fixture owns it.
    template <class T>
    T *make()
    {
        m_windows.push_back(std::make_unique<T>());
        return static_cast<T *>(m_windows.back().get());
    }

    // Destroys one window early and forgets it; `window` becomes null.
    template <class T>
    void destroy(T *&window)
    {
        destroyObject(window);
        window = nullptr;
    }

    // Destroys every window made, the last made first.
    void destroyWindows();

private:
    void destroyObject(QObject *object);

    QTemporaryDir m_folder;
    ProgramFolderFixture *m_outer;
    std::vector<std::unique_ptr<QObject>> m_windows;
    bool m_valid = false;
};
