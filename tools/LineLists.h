#pragma once
// Line commands that work on the whole list of lines at once.
#include <QStringList>

class TRandomGenerator;

// Keeps the first occurrence of every line. Lines are equal only when their code units are: the
// locale's collation would merge distinct lines (a soft hyphen, composed and decomposed forms).
void RemoveDuplicateLines(QStringList &lines);
// Fisher-Yates with the program's generator.
void ShuffleLines(QStringList &lines, TRandomGenerator &random);
void ReverseLines(QStringList &lines);
