#pragma once

#include <QLabel>

namespace tarvelo::ui {

// A one-line plain-text label that shows its text elided ("…") when it is
// wider than the label, whole in the tooltip. It asks for no more width than
// kMaxChars average characters, so a long user name cannot widen its window;
// with an Ignored horizontal policy it asks for none and takes what it gets.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    static constexpr int kMaxChars = 32;

    explicit ElidedLabel(const QString& text = QString(), QWidget* parent = nullptr);

    void setFullText(const QString& text);
    const QString& fullText() const { return m_full; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The shown text or the tooltip changed.
    void elided();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString m_full;
};

} // namespace tarvelo::ui
