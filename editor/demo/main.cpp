// editor-demo FILE: shows one file in one editor with the highlighter its name selects.
#include "editor/Edit.h"
#include "highlight/HighlighterSet.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.size() < 2) {
    QTextStream(stderr) << "usage: editor-demo FILE\n";
    return 2;
  }
  const QString path = args[1];
  TMEEdit edit;
  {
    TMELineList loaded;
    QString error;
    if (!loaded.LoadFromFile(path, &error)) {
      QTextStream(stderr) << "Could not open file: " << error << '\n';
      return 1;
    }
    // Handed over without a copy; once the loaded store is gone the document alone holds the lines.
    auto lines = std::make_unique<QStringList>(loaded.Lines());
    edit.Document().AdoptLines(lines, loaded.LineEnding());
  }
  THighlighterSet highlighters;
  edit.SetHighlighter(highlighters.ForFileName(path));
  edit.SetRightEdge(80);
  edit.IndentGuides().SetVisible(true);
  edit.setWindowTitle(QFileInfo(path).fileName() + QStringLiteral(" - editor-demo"));
  edit.resize(900, 700);
  edit.show();
  return app.exec();
}
