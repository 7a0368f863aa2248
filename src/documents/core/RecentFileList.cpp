#include "documents/core/RecentFileList.h"

#include "platform/core/SettingsStore.h"

namespace {
QString sectionOr(const QString &section)
{
    return section.isEmpty() ? QStringLiteral("Most Recent") : section;
}
} // namespace

void RecentFileList::addRecentFile(const QString &path)
{
    int from = Size - 1; // no match: everything moves down, the last entry drops
    for (int k = 0; k < Size; ++k) {
        if (m_files[size_t(k)] == path) {
            from = k;
            break;
        }
    }
    for (int j = from - 1; j >= 0; --j)
        m_files[size_t(j + 1)] = m_files[size_t(j)];
    m_files[0] = path;
}

void RecentFileList::loadRecentFiles(const SettingsAccess &settings, const QString &section)
{
    for (int i = 0; i < Size; ++i)
        m_files[size_t(i)] = settings.getSetting(sectionOr(section), QStringLiteral("File") + QString::number(i));
}

void RecentFileList::saveRecentFiles(SettingsAccess &settings, const QString &section) const
{
    for (int i = 0; i < Size; ++i)
        settings.saveSetting(sectionOr(section), QStringLiteral("File") + QString::number(i), m_files[size_t(i)]);
}

QString RecentFileList::caption(int index, const QString &path)
{
    return QLatin1Char('&') + QString::number(index + 1) + QLatin1Char(' ') + path;
}
