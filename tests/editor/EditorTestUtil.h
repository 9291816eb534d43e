#pragma once
// Helpers shared by the editor tests: an editor with a given text and wrap width, and one-string
// dumps of its lines, caret and selection.
#include "editor/Edit.h"
#include "tests/LineDump.h"

#include <QTest>

inline QString Pos(TBufferCoord c) { return QStringLiteral("(%1,%2)").arg(c.Char).arg(c.Line); }

// "lines caret=(c,l) sel=(c,l)-(c,l)"
inline QString DumpEdit(const TMEEdit &edit) {
  return DumpLines(edit.Lines().Lines()) + QStringLiteral(" caret=") + Pos(edit.CaretXY()) + QStringLiteral(" sel=") +
         Pos(edit.BlockBegin()) + u'-' + Pos(edit.BlockEnd());
}

// Lines given with "|" between them, so rows read like the dumps.
inline void SetLines(TMEEdit &edit, const QString &lines) { edit.SetText(QString(lines).replace(u'|', u'\n')); }

// Shows the editor (so its viewport follows resizes) and makes its wrap width the given columns.
inline void SetWrapColumns(TMEEdit &edit, int columns) {
  edit.show();
  const int frame = edit.width() - edit.viewport()->width();
  edit.resize(frame + edit.TextLeft() + columns * edit.CharWidth(), 200);
  QCOMPARE(edit.TextAreaWidth() / edit.CharWidth(), columns);
}

inline TBufferCoord BC(int ch, int line) { return {ch, line}; }
Q_DECLARE_METATYPE(TBufferCoord)
