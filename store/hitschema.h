#pragma once

#include <QSqlDatabase>
#include <QString>

// The hit database's tables. Every text that repeats from hit to hit (names,
// frequencies, codes, times) is kept once in `names`, and the hits refer to
// it by number; the find searches `name_search`, a trigram index over the
// distinct names, so that a word matches the inside of a name. `combos`
// holds each distinct system, group, channel, frequency and code with its
// hits and air time, kept up to date as hits come in: a find on names alone
// is counted from it without reading the hits. Each run keeps its number of
// hits and the first and last start among them, the same way.
//
// The schema's version is SQLite's user_version. Each migration takes the
// database from one version to the next; a database newer than this program
// is left alone.
constexpr int hitSchemaVersion = 4;

// Brings the database up to hitSchemaVersion. Returns an error text, or an
// empty one when the database is ready.
QString migrateHitSchema(QSqlDatabase &db, bool trigramSearch);

// Whether the SQLite library in use has FTS5 with the trigram tokenizer.
bool hasTrigramSearch(QSqlDatabase &db);
