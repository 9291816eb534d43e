#pragma once
// Reading HTML start tags as a browser's tokenizer reads them, as far as a page's title, its meta
// description and its declared character set need: a tag's name is a whole name ("<titles>" is no
// title), an attribute value keeps its quotes' content (a ">" inside quotes does not end the tag),
// and names compare in ASCII case only. Every function reads its text once, so a page made to
// slow a backtracking pattern down reads in linear time.
#include <QList>
#include <QStringView>

#include <optional>

struct THtmlAttribute {
  QStringView Name;
  QStringView Value;  // without its quotes; empty for a name alone
};

struct THtmlTag {
  qsizetype End = 0;  // just after the ">" that closes it
  QList<THtmlAttribute> Attributes;

  // The value of the first attribute called name, or nullopt when there is none.
  std::optional<QStringView> Attribute(QStringView name) const;
};

// Equal when ASCII letters are taken in either case; nothing else folds (not the Kelvin sign).
bool SameAsciiCaseless(QStringView a, QStringView b);
// The first occurrence of needle at or after from, ASCII letters in either case; -1 when none.
qsizetype IndexOfAsciiCaseless(QStringView text, QStringView needle, qsizetype from);

// The first complete start tag called name at or after from; from moves past what was read, so a
// caller looking for one tag of many goes on where the last one ended. nullopt when there is none.
std::optional<THtmlTag> NextStartTag(QStringView text, QStringView name, qsizetype &from);
