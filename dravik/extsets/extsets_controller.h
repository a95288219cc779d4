#pragma once

#include "dravik/services/feature_context.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QAbstractItemView;

namespace dravik::extsets {

class ExtensionList;
class ExtSetsPanel;
class Selections;
class SetBox;

// The extension list `ExtLys` with its set box `Sette`, and the saved disc selections `RemSel`,
// on the global-search panel. The window's lists hold the entries and the chosen extensions; the
// panel shows them.
class ExtSetsController : public QObject {
    Q_OBJECT
public:
    // What the controller needs from the window around the panel.
    struct Surroundings {
        std::function<QStringList()> launchEntries; // the entries of the launch list `FiL`
        std::function<int()> subfolderRows;         // subfolder rows of the folder tree `Dir1`
        std::function<void(bool)> showChangeNotice; // the "List have CHANGED ! !" reminder
    };

    // The lists the controller acts on.
    struct Lists {
        ExtensionList& extensions;
        SetBox& sets;
        Selections& selections;
    };

    // `discs` is the disc selection list the saved selections act on.
    ExtSetsController(ExtSetsPanel& panel, Lists lists, QAbstractItemView* discs,
                      services::FeatureContext context, Surroundings surroundings);

    // The panel opens: sets, extension list and saved selections from their files. A file that
    // cannot be loaded is reported as the error box of "InEXTLys"(step: 1 sets, 2 extension
    // list, 3 saved selections) and leaves its list empty.
    void load();
    // "ADD Extention" and Enter in `AddExt`; true when the text was added.
    bool addExtension();
    // "Search Extention": the extensions of the launch list's files.
    void searchExtensions();
    void saveList();
    void clearList();
    void deleteSelected();
    // Choosing a row of `Sette`.
    void applySet(const QString& setText);
    // Choosing a row of `RemSel`.
    void applySelection(const QString& name);
    void rememberSelection();
    void deleteSelection();
    void selectAllDiscs(bool on);

    // What a starting search needs: the selected extensions (none: the discs are searched), the
    // set they make recorded, and "ExtLys.ini" / "ExtLys.inZ" written by "START".
    QStringList selectedExtensions();
    void recordSet();
    void saveForStart();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadStep(int step, const std::function<void()>& work);
    void added(int entries);

    ExtSetsPanel& panel_;
    QAbstractItemView* discs_;
    workspace::Workspace& workspace_;
    services::WindowServices& services_;
    Surroundings surroundings_;
    ExtensionList& list_;
    SetBox& sets_;
    Selections& selections_;
    bool allChosen_ = false; // the right button chose every extension last time
};

} // namespace dravik::extsets
