#pragma once

#include "dravik/services/feature_context.h"

#include <QObject>
#include <QString>

namespace dravik::controls {
class CommandArray;
}

namespace dravik::search {

class FindHistory;
class FindPanel;

// Finding a word in the text of the list view: "Find-F3" (first instance), "Find Next-F4", the
// find menu that Enter in the find box opens, and F3/F4 in the list view.
class FindController : public QObject {
    Q_OBJECT
public:
    FindController(FindPanel& panel, FindHistory& history, controls::CommandArray& gCom,
                   controls::CommandArray& fCom, services::FeatureContext context);

    // "Find-F3": asks for the word, then finds its first instance.
    void findFirst();
    // "Find Next-F4".
    void findNext();
    // Enter in the find box: the find menu over an open list, else straight to the search.
    void enterInFindBox();
    // The global search empties the find word and gives the find commands back when it ends.
    void clearFindWord() { word_.clear(); }
    void enableFindCommands(bool enabled);
    // A search starts: the words in the find box join the history.
    void keepFindText();

    const QString& findWord() const { return word_; }
    qint64 lastFindPosition() const { return last_; }

signals:
    // Enter in the find box with no list open: the global search.
    void globalSearchWanted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Instance { First, Next };

    void finders(Instance instance);
    // The list view's own find: no regard to case, from `start`; selects the match and returns
    // its position, or -1.
    qint64 find(qint64 start);

    FindPanel& panel_;
    FindHistory& history_;
    controls::ListViewPanel& list_;
    controls::CommandArray& gCom_;
    controls::CommandArray& fCom_;
    workspace::Workspace& workspace_;
    services::WindowServices& services_;
    QString word_;
    qint64 last_ = 0;
};

} // namespace dravik::search
