#pragma once

#include <QDialog>

#include <functional>

class Prompt;
class QLabel;
class QPushButton;

// Opens a web address with the desktop's handler for it. A refusal is reported by throwing the
// launcher's error (an SxError), which the general error report shows.
using OpenAddress = std::function<void(const QString& address)>;

// The about box: the icon, the program's name and version, its makers and their web address.
// A click on the address opens it and closes the box; the address's hint goes to the status bar
// of the window that owns the box.
class TfrmHelpAbout : public QDialog {
    Q_OBJECT

public:
    static constexpr char kWebAddress[] = "https://sondrix.example.org/";

    TfrmHelpAbout(Prompt& prompt, OpenAddress openAddress, QWidget* owner = nullptr);

    QLabel* lblTitle() const { return m_lblTitle; }
    QLabel* webAddressLabel() const { return m_webAddressLabel; }
    QPushButton* btnOK() const { return m_btnOK; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openWebAddress();

    OpenAddress m_openAddress;
    QLabel* m_lblTitle;
    QLabel* m_webAddressLabel;
    QPushButton* m_btnOK;
};

// Help › About: shows the about box modally over `owner` and destroys it when it closes.
void ShowAboutBox(QWidget* owner, Prompt& prompt, const OpenAddress& openAddress);
