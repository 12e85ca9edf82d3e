#include "models/SettingsWindowModel.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString flag(bool checked)
{
    return checked ? u"1"_s : u"0"_s;
}

void readBox(const QString& stored, bool& box)
{
    if (!stored.isEmpty())
        box = stored == u"1"_s;
}

} // namespace

const SettingsWindowModel::HintColorControls& SettingsWindowModel::hintColorControls()
{
    static const HintColorControls controls{
        {u"SpeedButton1"_s, u"SpeedButton2"_s, u"Label1"_s, u"Label2"_s, u"GeduldLabel"_s},
        {u"SuchtextInClipbrdCheckBox"_s, u"KurzhinweisImViewerZeigenCheckBox"_s, u"Label1"_s,
         u"Label2"_s, u"Label3"_s, u"Label4"_s, u"Label5"_s},
        {u"GrossKleinBeachten"_s, u"NurGanzeWoerterCheckBox"_s, u"nurWoerterButton"_s,
         u"nurSaetzeButton"_s, u"WoerterUndSaetzeButton"_s, u"Label1"_s, u"Label2"_s, u"Label3"_s,
         u"Label4"_s, u"Label5"_s, u"TntLabel1"_s, u"Label8"_s, u"OderCheckBox"_s,
         u"PhraseCheckBox"_s, u"SpeedButton1"_s, u"SpeedButton2"_s},
        {u"Label1"_s, u"Label2"_s, u"Label3"_s, u"Label4"_s, u"Label5"_s, u"Label6"_s},
    };
    return controls;
}

SettingsWindowModel::SettingsWindowModel(settings::SettingsStore store) : m_store(std::move(store))
{
}

TColor SettingsWindowModel::background() const
{
    return colors::StringToColor(m_store.readOrFallback(settings::kColor))
        .value_or(colors::clHighlight);
}

TColor SettingsWindowModel::hintColor() const
{
    return colors::StringToColor(m_store.readOrFallback(settings::kTextColor))
        .value_or(colors::clWhite);
}

SettingsWindowModel::CheckBoxes SettingsWindowModel::storedCheckBoxes(CheckBoxes shown) const
{
    readBox(m_store.read(settings::kCopySearchTerm), shown.copySearchTerm);
    readBox(m_store.read(settings::kShowViewerHint), shown.showViewerHints);
    return shown;
}

void SettingsWindowModel::opened(CheckBoxes shown)
{
    m_openedBoxes = shown;
    m_openedBackgroundText = m_store.read(settings::kColor);
    m_openedBackground = background();
    m_backgroundChanged = false;
}

void SettingsWindowModel::backgroundChosen(TColor color)
{
    m_store.write(settings::kColor, colors::ColorToString(color));
    m_backgroundChanged = true;
}

void SettingsWindowModel::hintColorChosen(TColor color)
{
    m_store.write(settings::kTextColor, colors::ColorToString(color));
}

void SettingsWindowModel::ok(CheckBoxes boxes) const
{
    m_store.write(settings::kCopySearchTerm, flag(boxes.copySearchTerm));
    m_store.write(settings::kShowViewerHint, flag(boxes.showViewerHints));
}

SettingsWindowModel::Restore SettingsWindowModel::cancel()
{
    Restore restore = closedWithoutOk();
    if (m_backgroundChanged) {
        m_store.write(settings::kColor, m_openedBackgroundText);
        restore.background = m_openedBackground;
        m_backgroundChanged = false;
    }
    return restore;
}

void SettingsWindowModel::restoreStandards()
{
    m_store.write(settings::kColor, colors::ColorToString(colors::clBlack));
    m_store.write(settings::kViewerFontSize, QString::number(kStandardFontSize));
    m_store.write(settings::kHeight, QString::number(kStandardMainSize.height()));
    m_store.write(settings::kWidth, QString::number(kStandardMainSize.width()));
    m_store.write(settings::kSearchHeight, QString::number(kStandardSearchSize.height()));
    m_store.write(settings::kSearchWidth, QString::number(kStandardSearchSize.width()));
    m_store.write(settings::kTextColor, colors::ColorToString(colors::clWhite));
    m_backgroundChanged = false;
}

int SettingsWindowModel::boundedFontSize(int points)
{
    return std::clamp(points, kMinFontSize, kMaxFontSize);
}

int SettingsWindowModel::storedFontSize(const QString& text)
{
    bool ok = false;
    const int points = text.trimmed().toInt(&ok);
    return ok && points == boundedFontSize(points) ? points : kStandardFontSize;
}

QString SettingsWindowModel::sortQuestion(const QString& database)
{
    return u"Möchten Sie die Dokumente von \""_s + database + u"\" sortieren?\r\n"_s +
           u"Vorhandene sortierte Listen werden überschrieben! Wenn JA, dann \r\n"_s +
           u"klicken Sie anschließend auf den Schalter \"Sortierte Listen erstellen\""_s;
}
