#pragma once

#include <QPlainTextEdit>
#include <QStringList>
#include <QWidget>

// The help window: one fixed text, the same whichever window asks for it. Closing it destroys it; the
// next request creates it again beside the main window.
class TFoNapovedaP : public QWidget {
    Q_OBJECT
public:
    explicit TFoNapovedaP(QWidget* parent = nullptr);
    ~TFoNapovedaP() override;

    QPlainTextEdit* Memo;

    static QStringList helpLines();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormClose();
};

// The one instance, or nullptr while none exists.
extern TFoNapovedaP* FoNapovedaP;

// Creates the help window when it does not exist, placed at the main window's Left + DX, Top + DY; then
// shows it and gives it the focus. An existing window keeps its place, size and scroll position.
void OtevriNapovedu(int DX, int DY);
