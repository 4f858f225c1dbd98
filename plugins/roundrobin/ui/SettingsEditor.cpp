#include "SettingsEditor.h"

#include <QVBoxLayout>

namespace rr::ui {

SettingsEditor::SettingsEditor(const Settings& settings, QWidget* parent)
    : QWidget(parent), m_kind(settings.kind) {
    m_points = new PointsEditor(settings.points, this);
    m_tieBreaks = new OrderedChecklist(QStringLiteral("Дополнительные показатели (по порядку)"),
                                       "tieBreaks", "tieBreakUp", "tieBreakDown", this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_points);
    layout->addWidget(m_tieBreaks);
    FillTieBreaks(settings.tieBreaks);
}

void SettingsEditor::FillTieBreaks(const QList<TieBreak>& chosen) {
    QList<int> offered, ticked;
    for (TieBreak tb : TieBreaksFor(m_kind))
        offered.append(int(tb));
    for (TieBreak tb : chosen)
        ticked.append(int(tb));
    m_tieBreaks->Fill(offered, ticked, [](int id) { return TieBreakName(TieBreak(id)); });
}

void SettingsEditor::SetKind(ResultKind kind) {
    if (kind == m_kind)
        return;
    m_kind = kind;
    const Settings defaults = DefaultSettings(kind);
    FillTieBreaks(defaults.tieBreaks);
    m_points->ChoosePreset(kind == ResultKind::Games ? 0 : 1);
}

Settings SettingsEditor::Apply(Settings base) const {
    base.kind = m_kind;
    base.points = m_points->GetPoints();
    base.tieBreaks.clear();
    for (int id : m_tieBreaks->Ticked())
        base.tieBreaks.append(TieBreak(id));
    return base;
}

} // namespace rr::ui
