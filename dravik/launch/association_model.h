#pragma once

#include <QObject>
#include <QStringList>

#include <filesystem>

namespace dravik::launch {

// The association table of a running program: the links ("txt /usr/bin/gedit") from "DK.SoC"
// and the extensions the panel was opened for, from "DK.EXL". Every change is written to the
// files first and then shown; a change that cannot be written changes nothing.
class AssociationModel : public QObject {
    Q_OBJECT
public:
    explicit AssociationModel(QObject* parent = nullptr);

    // Start-up, one step each: "DK.mmd" created when missing; the links; the extensions (blank
    // items dropped). Each throws common::Error when its file cannot be read; what it would
    // have read is then empty.
    void prepare(const std::filesystem::path& dataFolder);
    void loadLinks(const std::filesystem::path& dataFolder);
    void loadExtensions(const std::filesystem::path& dataFolder);

    const QStringList& links() const { return links_; }
    const QStringList& extensions() const { return extensions_; }

    // "Select": a link added at the end.
    void addLink(const QString& line);
    // "EDITed": the link at `row` replaced by `line`, which goes to the end of the list. A row
    // the list does not hold changes nothing (here and in `removeLink`).
    void replaceLink(int row, const QString& line);
    // "EDITed" with no link selected (a deleted link brought back): `line` joins the end of the
    // list, written as an edit is.
    void appendEdited(const QString& line);
    // "DELETE"
    void removeLink(int row);
    // The right-click: `key` joins the extensions unless it is blank or there already; true when
    // it did.
    bool addExtension(const QString& key);

signals:
    void linksChanged();
    void extensionsChanged();

private:
    void saveLinks(QStringList lines);
    bool holds(int row) const { return row >= 0 && row < links_.size(); }

    std::filesystem::path dataFolder_;
    QStringList links_;
    QStringList extensions_;
};

} // namespace dravik::launch
