#pragma once

#include <QString>

class DocumentController;
class IPrompter;
class JournalKeeper;

namespace JournalRecovery {

// The journal follows the document: written after changes, removed once the
// text is saved or given up.
void keepJournalOf(DocumentController &documents, JournalKeeper &journal);

// Offers back the newest journal that a program which did not end properly left
// in the folder. Yes puts its text back as a changed document, No drops it,
// Cancel keeps it for the next start.
void offerOrphanedJournal(const QString &folder, IPrompter &prompter, DocumentController &documents,
                          JournalKeeper &journal);

} // namespace JournalRecovery
