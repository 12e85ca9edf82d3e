// The search window's colours, viewer font and hints as the settings window and the main
// window set them, and its settings button.
#include "searchwindow/TSuchForm.h"

#include "models/SettingsWindowModel.h"
#include "widgets/TATBinHex.h"
#include "widgets/WindowColors.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QPushButton>

// Holds back the tool tips of the widgets it watches while it is closed.
class ToolTipGate : public QObject {
public:
    using QObject::QObject;
    bool open = true;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!open && event->type() == QEvent::ToolTip)
            return true;
        return QObject::eventFilter(watched, event);
    }
};

void TSuchForm::applyBackgroundColor(const QColor& color)
{
    windowcolors::setBackground(this, color);
    for (QWidget* panel : {PanelLinks, PanelRechts, PanelUnten, ToolBar1, Panel2})
        windowcolors::setBackground(panel, color);
}

void TSuchForm::setViewerFontSize(int points)
{
    const int bounded = SettingsWindowModel::boundedFontSize(points);
    for (QWidget* view : std::initializer_list<QWidget*>{Viewer, ViewerMemo}) {
        QFont font = view->font();
        font.setPointSize(bounded);
        view->setFont(font);
    }
}

int TSuchForm::viewerFontSize() const
{
    return QFontInfo(ViewerMemo->font()).pointSize();
}

void TSuchForm::stepViewerFontSize(int step)
{
    setViewerFontSize(viewerFontSize() + step);
    if (step > 0)
        Viewer->ScrollLineDown(1);
    else
        Viewer->ScrollLineUp(1);
}

void TSuchForm::setViewerHintsShown(bool shown)
{
    if (!m_viewerHintGate) {
        m_viewerHintGate = new ToolTipGate(this);
        for (QObject* view :
             std::initializer_list<QObject*>{Viewer, ViewerMemo, ViewerMemo->viewport()})
            view->installEventFilter(m_viewerHintGate);
    }
    m_viewerHintGate->open = shown;
}

bool TSuchForm::viewerHintsShown() const
{
    return !m_viewerHintGate || m_viewerHintGate->open;
}

void TSuchForm::openSettingsWith(std::function<void()> open)
{
    SpeedButton2->setEnabled(true);
    connect(SpeedButton2, &QPushButton::clicked, this, std::move(open));
}
