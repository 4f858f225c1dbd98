#pragma once

#include <QDialog>

class CLiveService;
class QButtonGroup;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

// "Трансляция": turns the live view on and off, and shows the address to type or scan. The
// port and the choice of network are remembered.
class CLiveDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLiveDlg(CLiveService* service, QWidget* parent = nullptr);

    // Start or stop, as the main button does now.
    void OnToggle();

    QRadioButton* m_radioLocal;
    QRadioButton* m_radioNetwork;
    QSpinBox* m_spinPort;
    QPushButton* m_btnToggle;
    QLabel* m_staticState;
    QListWidget* m_listAddresses;
    QLabel* m_staticQrCode;

private:
    void UpdateState();
    void ShowQrCode();

    CLiveService* m_pService;
};
