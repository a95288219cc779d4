#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

class QFrame;
class QLabel;

namespace dravik::controls {

// The engraved command button (`XCommandLUP`): a small command drawn as an engraved caption (a dark
// and a white copy of the text, one unit off) inside a raised bevel of four lines. It sizes itself
// to its caption and passes clicks and mouse movement on its caption on as its own events.
// Positions follow the original layout in twips (15 to a pixel).
class EngravedButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ captionFont WRITE setCaptionFont)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QString ToolTipText READ toolTipText WRITE setToolTipText)

public:
    static constexpr int TwipsPerPixel = 15;

    explicit EngravedButton(QWidget* parent = nullptr);

    QColor backColor() const;
    void setBackColor(const QColor& colour);
    QString caption() const;
    void setCaption(const QString& caption);
    QFont captionFont() const;
    void setCaptionFont(const QFont& font);
    QColor foreColor() const;
    void setForeColor(const QColor& colour);
    QString toolTipText() const;
    void setToolTipText(const QString& text);
    // Hides QWidget::setEnabled so that setting the property marks it as changed.
    void setEnabled(bool enabled);

    QSize sizeHint() const override { return size(); }
    QSize minimumSizeHint() const override { return size(); }

    // The names of the properties that were set (and would be saved with the form).
    QStringList changedProperties() const { return changed_; }

signals:
    void Change();
    void Click();
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutCaption();
    void layoutBevel();
    void sizeToCaption();
    void markChanged(const QString& property);
    static int px(int twips) { return twips / TwipsPerPixel; }

    QLabel* caption_;
    QLabel* shadow_ = nullptr;
    QLabel* highlight_ = nullptr;
    QFrame* lines_[4];
    QFrame* shape_;
    QStringList changed_;
};

} // namespace dravik::controls
