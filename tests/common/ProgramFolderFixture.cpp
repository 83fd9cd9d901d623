#include "ProgramFolderFixture.h"

#include "DbfTable.h"
#include "ProgramFolder.h"
#include "TestSupport.h"
#include "WavFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// The innermost living fixture, whose folder is the program folder.
ProgramFolderFixture *g_current = nullptr;

} // namespace

ProgramFolderFixture::ProgramFolderFixture(Data data) : m_outer(g_current)
{
    g_current = this;
    m_valid = m_folder.isValid();
    if (!m_valid)
        return;
    SetProgramFolderForTesting(path());
    switch (data) {
    case Data::None:
        break;
    case Data::ResultsTable:
    case Data::WithBackup:
        m_valid = QDir().mkpath(this->data(QStringLiteral("Zaloha"))) && writeResultsTable(data == Data::WithBackup);
        break;
    case Data::ShippedTable:
        m_valid = QDir().mkpath(this->data(QString()));
        for (const QString &name : {QStringLiteral("Parblok.dbf"), QStringLiteral("Parblok.mdx")})
            m_valid = m_valid && QFile::copy(programDir() + QStringLiteral("/Data/") + name, this->data(name));
        break;
    }
}

ProgramFolderFixture::~ProgramFolderFixture()
{
    destroyWindows();
    g_current = m_outer;
    SetProgramFolderForTesting(m_outer != nullptr ? m_outer->path() : QString());
}

QString ProgramFolderFixture::path() const
{
    return m_folder.path() + QLatin1Char('/');
}

QString ProgramFolderFixture::filePath(const QString &name) const
{
    return m_folder.filePath(name);
}

QString ProgramFolderFixture::data(const QString &name) const
{
    return m_folder.filePath(QStringLiteral("Data/") + name);
}

bool ProgramFolderFixture::writeResultsTable(bool backup)
{
    const QDate built(2024, 1, 2);
    try {
        if (backup)
            DbfTable::createResultsTable(data(QStringLiteral("Zaloha/Parblok.dbf")),
                                         data(QStringLiteral("Zaloha/Parblok.Mdx")), built);
        DbfTable::createResultsTable(data(QStringLiteral("Parblok.dbf")), data(QStringLiteral("Parblok.mdx")), built);
    } catch (...) {
        return false;
    }
    return true;
}

bool ProgramFolderFixture::addManual(bool program, bool page)
{
    const auto emptyFile = [this](const QString &name) {
        return QDir().mkpath(QFileInfo(filePath(name)).path()) && QFile(filePath(name)).open(QIODevice::WriteOnly);
    };
    return (!program || emptyFile(QStringLiteral("ManualKvadr")))
        && (!page || emptyFile(QStringLiteral("Html/Parblok2000/Index.htm")));
}

bool ProgramFolderFixture::addSound(const QString &name)
{
    QFile wav(filePath(QStringLiteral("Zvuky/") + name));
    return QDir().mkpath(filePath(QStringLiteral("Zvuky"))) && wav.open(QIODevice::WriteOnly)
        && wav.write(encodeWav(WavSound{1, 8000, 8, QByteArray(80, '\x80')})) > 0;
}

void ProgramFolderFixture::destroyWindows()
{
    while (!m_windows.empty())
        m_windows.pop_back();
}

void ProgramFolderFixture::destroyObject(QObject *object)
{
    const auto found = std::find_if(m_windows.begin(), m_windows.end(),
                                     [object](const std::unique_ptr<QObject> &owned) { return owned.get() == object; });
    if (found != m_windows.end())
        m_windows.erase(found);
}
