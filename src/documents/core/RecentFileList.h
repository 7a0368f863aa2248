#pragma once

#include <QString>
#include <array>

class SettingsAccess;

// The six most recently opened files, index 0 the most recent; an empty entry
// is a free slot.
class RecentFileList {
public:
    static constexpr int Size = 6;

    // Puts the path first; an equal entry (compared exactly) moves up instead of
    // being repeated, otherwise the oldest entry is dropped.
    void addRecentFile(const QString &path);

    // Settings keys "File0" to "File5" of the section ("Most Recent" when empty).
    void loadRecentFiles(const SettingsAccess &settings, const QString &section);
    void saveRecentFiles(SettingsAccess &settings, const QString &section) const;

    const QString &at(int index) const { return m_files[size_t(index)]; }
    // The menu caption of entry i: "&", i + 1, a blank and the path.
    static QString caption(int index, const QString &path);

private:
    std::array<QString, Size> m_files;
};
