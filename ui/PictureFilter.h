#pragma once
#include <QStringList>
#include <string>

// A dialog filter "Description|*.ext;*.ext2|..." as Qt's name filters, one per pair and in the
// same order, so the 1-based index of a pair is its position here plus one. Qt reads the patterns
// from the last parenthesised group; a description that does not already end with its own
// patterns gets them appended. An unpaired last description is dropped.
QStringList NameFiltersFromFilter(const std::string& filter);

// The patterns of one of those name filters: those of its last parenthesised group.
QStringList PatternsOfNameFilter(const QString& nameFilter);
