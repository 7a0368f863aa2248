#include "documents/core/JournalRecovery.h"

#include "common/core/FileNames.h"
#include "documents/core/DocumentController.h"
#include "documents/core/JournalKeeper.h"
#include "platform/core/Prompter.h"

#include <QLocale>

namespace JournalRecovery {

void keepJournalOf(DocumentController &documents, JournalKeeper &journal)
{
    QObject::connect(&documents, &DocumentController::edited, &journal,
                     &JournalKeeper::documentChanged);
    QObject::connect(&documents, &DocumentController::stateChanged, &journal, [&documents, &journal] {
        if (documents.state().fileChanged)
            journal.documentChanged();
        else
            journal.discard();
    });
}

void offerOrphanedJournal(const QString &folder, IPrompter &prompter, DocumentController &documents,
                          JournalKeeper &journal)
{
    std::vector<JournalKeeper::Orphan> orphans = JournalKeeper::findOrphans(folder);
    if (orphans.empty())
        return;
    const JournalKeeper::Orphan &newest = orphans.front();
    const JournalEntry &e = newest.entry;
    QString text = QStringLiteral("Vormeld was not closed properly. Changes to \"%1\" that were not "
                                  "saved were kept at %2.")
                       .arg(fileNameOnly(e.originalPath),
                            QLocale().toString(e.savedAt.toLocalTime(), QLocale::ShortFormat));
    if (e.hasFileName && DiskStamp::of(e.originalPath) != e.disk)
        text += QStringLiteral("\r\nThe file itself was changed since then.");
    text += QStringLiteral("\r\n\r\nDo you want to get them back?\r\n"
                           "(Cancel keeps them for the next start.)");
    const MsgResult answer = prompter.ask(QStringLiteral("Recover Unsaved Work"), text,
                                          MsgButtons::YesNoCancel, MsgIcon::Question, MsgResult::Yes);
    if (answer == MsgResult::Yes) {
        documents.recoverFromJournal(e);
        journal.syncNow(); // ours now holds the text before the old one goes
        JournalKeeper::removeOrphan(newest);
    } else if (answer == MsgResult::No) {
        JournalKeeper::removeOrphan(newest);
    }
}

} // namespace JournalRecovery
