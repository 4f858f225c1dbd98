#include "CLiveDlg.h"

#include "CLiveService.h"
#include "QrCode.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The program's own settings, where the live view keeps "Live/Port" and "Live/Network".
const char* const kCompany = "Harrowfield Soft";
const char* const kApplication = "Velmora";

} // namespace

CLiveDlg::CLiveDlg(CLiveService* service, QWidget* parent)
    : QDialog(parent), m_pService(service) {
    setWindowTitle(QStringLiteral("Трансляция"));
    setObjectName(QStringLiteral("CLiveDlg"));

    auto* intro = new QLabel(QStringLiteral(
        "Турнирные таблицы открытых чемпионатов показываются в браузере на экранах и телефонах "
        "и обновляются сами после каждого результата."));
    intro->setWordWrap(true);

    auto* where = new QGroupBox(QStringLiteral("Кому доступна трансляция"));
    m_radioLocal = new QRadioButton(QStringLiteral("Только этому компьютеру"));
    m_radioLocal->setObjectName(QStringLiteral("radioLocal"));
    m_radioNetwork = new QRadioButton(QStringLiteral("Всем в локальной сети (экраны и телефоны в зале)"));
    m_radioNetwork->setObjectName(QStringLiteral("radioNetwork"));
    auto* whereLayout = new QVBoxLayout(where);
    whereLayout->addWidget(m_radioLocal);
    whereLayout->addWidget(m_radioNetwork);

    m_spinPort = new QSpinBox;
    m_spinPort->setObjectName(QStringLiteral("spinPort"));
    m_spinPort->setRange(1024, 65535);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Порт:"), m_spinPort);

    m_btnToggle = new QPushButton;
    m_btnToggle->setObjectName(QStringLiteral("btnToggle"));
    m_btnToggle->setDefault(true);
    m_staticState = new QLabel;
    m_staticState->setObjectName(QStringLiteral("staticState"));
    m_staticState->setWordWrap(true);

    m_listAddresses = new QListWidget;
    m_listAddresses->setObjectName(QStringLiteral("listAddresses"));
    m_listAddresses->setMaximumHeight(90);
    m_staticQrCode = new QLabel;
    m_staticQrCode->setObjectName(QStringLiteral("staticQrCode"));
    m_staticQrCode->setAlignment(Qt::AlignCenter);
    m_staticQrCode->setMinimumSize(220, 220);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(intro);
    left->addWidget(where);
    left->addLayout(form);
    left->addWidget(m_btnToggle);
    left->addWidget(m_staticState);
    left->addWidget(new QLabel(QStringLiteral("Адрес для браузера:")));
    left->addWidget(m_listAddresses);
    left->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addWidget(m_staticQrCode);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    const QSettings settings(kCompany, kApplication);
    const bool network = service->IsRunning() ? service->IsNetwork()
                                              : settings.value("Live/Network", false).toBool();
    (network ? m_radioNetwork : m_radioLocal)->setChecked(true);
    m_spinPort->setValue(service->IsRunning() ? service->Port()
                                              : settings.value("Live/Port", 8080).toInt());

    connect(m_btnToggle, &QPushButton::clicked, this, &CLiveDlg::OnToggle);
    connect(m_listAddresses, &QListWidget::currentRowChanged, this, &CLiveDlg::ShowQrCode);
    UpdateState();
}

void CLiveDlg::OnToggle() {
    if (m_pService->IsRunning()) {
        m_pService->Stop();
        m_staticState->setText(QStringLiteral("Трансляция остановлена."));
        UpdateState();
        return;
    }
    const quint16 port = quint16(m_spinPort->value());
    const bool network = m_radioNetwork->isChecked();
    QString error;
    if (!m_pService->Start(port, network, &error)) {
        UpdateState();
        m_staticState->setText(
            QStringLiteral("Не удалось начать трансляцию на порту %1: %2. Выберите другой порт.")
                .arg(port)
                .arg(error));
        return;
    }
    QSettings settings(kCompany, kApplication);
    settings.setValue("Live/Port", port);
    settings.setValue("Live/Network", network);
    UpdateState();
}

void CLiveDlg::UpdateState() {
    const bool running = m_pService->IsRunning();
    m_btnToggle->setText(running ? QStringLiteral("Остановить трансляцию")
                                 : QStringLiteral("Начать трансляцию"));
    m_radioLocal->setEnabled(!running);
    m_radioNetwork->setEnabled(!running);
    m_spinPort->setEnabled(!running);
    m_listAddresses->clear();
    if (running) {
        const QStringList addresses = m_pService->Addresses();
        m_listAddresses->addItems(addresses);
        if (addresses.isEmpty())
            m_staticState->setText(QStringLiteral(
                "Трансляция идёт, но компьютер не подключён ни к одной сети."));
        else
            m_staticState->setText(QStringLiteral("Трансляция идёт."));
        m_listAddresses->setCurrentRow(0);
    } else if (m_staticState->text().isEmpty()) {
        m_staticState->setText(QStringLiteral("Трансляция выключена."));
    }
    ShowQrCode();
}

void CLiveDlg::ShowQrCode() {
    const QListWidgetItem* item = m_listAddresses->currentItem();
    if (!item) {
        m_staticQrCode->clear();
        return;
    }
    m_staticQrCode->setPixmap(QPixmap::fromImage(QrCodeImage(item->text(), 5)));
    m_staticQrCode->setToolTip(item->text());
}
