#pragma once

#include <QObject>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// A temporary program folder for the window tests, and the windows built over it. While the
// fixture lives the program finds its settings file and its Data, Zvuky and Html folders there;
// then the program folder in use before (an enclosing fixture's, or the executable's) returns.
// Windows made through the fixture go in the reverse order of their making, before the folder.
class ProgramFolderFixture
{
public:
    enum class Data {
        None,         // no Data folder: the results table fails to open
        ResultsTable, // an empty results table, and an empty Zaloha folder
        WithBackup,   // an empty results table, and one in Zaloha
        ShippedTable, // the results table the program is shipped with
    };

    explicit ProgramFolderFixture(Data data = Data::None);
    ~ProgramFolderFixture();

    // Whether the folder and the contents asked for were made.
    bool isValid() const { return m_valid; }
    // The folder, ending with the separator; a file in it; a file in its Data folder.
    QString path() const { return m_folder.path() + u'/'; }
    QString filePath(const QString &name) const { return m_folder.filePath(name); }
    QString data(const QString &name) const { return m_folder.filePath(QStringLiteral("Data/") + name); }

    // An empty results table in Data (and in Data/Zaloha when `backup`), replacing any.
    bool writeResultsTable(bool backup = false);
    // The manual's program and its start page, both empty, as asked.
    bool addManual(bool program = true, bool page = true);
    // A short silent sound Zvuky/`name`.
    bool addSound(const QString &name);

    // Makes a window (or the data module), owned by the fixture.
    template <class T>
    T *make()
    {
        return static_cast<T *>(m_windows.emplace_back(std::make_unique<T>()).get());
    }
    // Destroys one window early; `window` becomes null.
    template <class T>
    void destroy(T *&window)
    {
        std::erase_if(m_windows, [window](const auto &made) { return made.get() == window; });
        window = nullptr;
    }
    // Destroys every window made, the last made first.
    void destroyWindows();

private:
    QTemporaryDir m_folder;
    ProgramFolderFixture *m_outer;
    std::vector<std::unique_ptr<QObject>> m_windows;
    bool m_valid = false;
};
