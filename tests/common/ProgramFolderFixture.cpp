#include "ProgramFolderFixture.h"

#include "DbfTable.h"
#include "ProgramFolder.h"
#include "TestSupport.h"

#include <QDate>
#include <QDir>

namespace {
// The innermost living fixture, whose folder is the program folder.
ProgramFolderFixture *g_current = nullptr;
} // namespace

ProgramFolderFixture::ProgramFolderFixture(Data data) : m_outer(g_current)
{
    g_current = this;
    SetProgramFolderForTesting(path());
    m_valid = m_folder.isValid();
    if (data == Data::ResultsTable || data == Data::WithBackup)
        m_valid = m_valid && QDir().mkpath(this->data(QStringLiteral("Zaloha"))) && writeResultsTable(data == Data::WithBackup);
    if (data == Data::ShippedTable) {
        m_valid = m_valid && QDir().mkpath(this->data(QString()));
        for (const QString &name : {QStringLiteral("Parblok.dbf"), QStringLiteral("Parblok.mdx")})
            m_valid = m_valid && QFile::copy(programDir() + QStringLiteral("/Data/") + name, this->data(name));
    }
}

ProgramFolderFixture::~ProgramFolderFixture()
{
    destroyWindows();
    g_current = m_outer;
    SetProgramFolderForTesting(m_outer != nullptr ? m_outer->path() : QString());
}

bool ProgramFolderFixture::writeResultsTable(bool backup)
{
    const QDate built(2024, 1, 2);
    try {
        if (backup)
            DbfTable::createResultsTable(data(QStringLiteral("Zaloha/Parblok.dbf")), data(QStringLiteral("Zaloha/Parblok.Mdx")), built);
        DbfTable::createResultsTable(data(QStringLiteral("Parblok.dbf")), data(QStringLiteral("Parblok.mdx")), built);
    } catch (...) {
        return false;
    }
    return true;
}

bool ProgramFolderFixture::addManual(bool program, bool page)
{
    return (!program || writeFileBytes(filePath(QStringLiteral("ManualKvadr")), {}))
        && (!page || writeFileBytes(filePath(QStringLiteral("Html/Parblok2000/Index.htm")), {}));
}

bool ProgramFolderFixture::addSound(const QString &name)
{
    return writeFileBytes(filePath(QStringLiteral("Zvuky/") + name), shortSilentWav());
}

void ProgramFolderFixture::destroyWindows()
{
    while (!m_windows.empty())
        m_windows.pop_back();
}
