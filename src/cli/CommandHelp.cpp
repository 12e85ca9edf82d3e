#include "cli/CommandHelp.h"

#ifndef NIMBRA_VERSION
#error "NIMBRA_VERSION must be set by the build (the CMake project version)"
#endif

namespace commandhelp {

namespace {

struct Verb {
    const char16_t* name;
    const char16_t* usage;   // after "nimbra "
    const char16_t* summary; // one line for the overview
    const char16_t* text;    // description, options, exit status
};

// Verbs in the order of the overview.
const Verb kVerbs[] = {
    {u"databases", u"[--base ORDNER] databases", u"die Datenbanken, eine je Zeile",
     u"Gibt die Namen der Datenbanken im Ordner Datenbank des Basisordners aus, einen je\n"
     u"Zeile, in der Reihenfolge der Datenbankliste des Hauptfensters.\n"
     u"\n"
     u"Exit-Status: 0 gelesen, 1 Basisordner auf keinem zugeordneten Laufwerk,\n"
     u"2 falscher Aufruf.\n"},
    {u"classify", u"classify DATEI... [--why]", u"Byte-Order-Mark, Klasse und Pfad je Datei",
     u"Bestimmt für jede DATEI die Byte-Order-Mark und die Kodierungsklasse, mit der sie in\n"
     u"eine Datenbank aufgenommen würde, und gibt \"<BOM>TAB<Klasse>TAB<Pfad>\" aus. Eine\n"
     u"Datei, die nicht gelesen werden kann, wird auf der Fehlerausgabe genannt; die übrigen\n"
     u"werden trotzdem bestimmt.\n"
     u"\n"
     u"  --why  unter jeder Datei die Regeln, die entschieden haben (Byte-Order-Mark, Pfad,\n"
     u"         die ersten 200.000 Bytes, UTF-8-Test der ganzen Datei, UTF-16-Statistik)\n"
     u"\n"
     u"Exit-Status: 0 alle bestimmt, 1 mindestens eine Datei nicht lesbar, 2 falscher Aufruf.\n"},
    {u"find",
     u"find DATEI TEXT [--encoding N] [--case-sensitive] [--whole-words] [--backward] "
     u"[--all]",
     u"Fundstellen in einer Datei als \"<Start> <Länge>\", eine je Zeile",
     u"Sucht TEXT in einer Datei wie die Suche der Dateiansicht und gibt jede Fundstelle als\n"
     u"\"<Start> <Länge>\" (Bytes) aus.\n"
     u"\n"
     u"  --encoding N      Kodierung der Datei, Nummer der Kodierungstabelle (0 = ANSI)\n"
     u"  --case-sensitive  Groß- und Kleinschreibung beachten\n"
     u"  --whole-words     nur ganze Wörter\n"
     u"  --backward        vom Dateiende an rückwärts suchen\n"
     u"  --all             alle Fundstellen statt nur der ersten\n"
     u"\n"
     u"Exit-Status: 0 gefunden, 1 nicht gefunden, 2 Datei nicht lesbar oder falscher Aufruf.\n"},
    {u"index",
     u"[--base ORDNER] index NAME ORDNER ENDUNGEN [--update] [--new-list] "
     u"[--without-documents]",
     u"erstellt eine Datenbank oder indiziert sie neu",
     u"Erstellt die Datenbank NAME aus den Dateien unter ORDNER, deren Endung in ENDUNGEN\n"
     u"steht (bis zu fünf, etwa \"*.txt *.csv\"), wie \"Neue DB erstellen\" im Hauptfenster.\n"
     u"Die Dateien kommen aus der Laufwerksliste im Ordner Datenbank; fehlt sie, erstellt\n"
     u"DeduridoZidirivovi sie zuerst (gesucht im Ordner der Einstellung Nimbra_Control,\n"
     u"im Basisordner und neben nimbra).\n"
     u"\n"
     u"  --update             eine bestehende Datenbank NAME neu indizieren\n"
     u"  --new-list           die Laufwerksliste vorher neu erstellen lassen\n"
     u"  --without-documents  nur die Dateienliste, ohne die drei Klartext-Dokumente\n"
     u"\n"
     u"Strg+C bricht den Lauf ab: vorher bleibt die Datenbank unverändert, danach hält sie\n"
     u"die bis dahin gelesenen Dateien mit ihren Titelpositionen.\n"
     u"Exit-Status: 0 fertig, 1 Lauf fehlgeschlagen, 2 abgelehnt oder falscher Aufruf,\n"
     u"130 mit Strg+C abgebrochen.\n"},
    {u"search", u"[--base ORDNER] search NAME TEXT [--case-sensitive] [--whole-words] [--open]",
     u"Treffer als \"<Pfad>TAB<Textausschnitt>\", einer je Datei",
     u"Durchsucht die Datenbank NAME wie die lokale Suche des Suchfensters und gibt je\n"
     u"gefundener Datei eine Zeile \"<Pfad>TAB<Textausschnitt>\" aus. Die Ergebnisseiten\n"
     u"werden wie im Fenster in den Ordner Datenbank/Temp geschrieben. Ein TEXT, der mit \"#\"\n"
     u"beginnt, sucht wie im Suchfeld in den Dateinamen (wie \"files\").\n"
     u"Strg+C bricht die Suche ab; die Seiten zeigen, was bis dahin gefunden wurde.\n"
     u"\n"
     u"  --case-sensitive  Groß- und Kleinschreibung beachten\n"
     u"  --whole-words     nur ganze Wörter\n"
     u"  --open            die erste Ergebnisseite im eingestellten Browser öffnen\n"
     u"\n"
     u"Exit-Status: 0 gesucht, 1 Ergebnisseiten nicht geschrieben, 2 Datenbank fehlt,\n"
     u"Suche fehlgeschlagen oder falscher Aufruf, 130 mit Strg+C abgebrochen.\n"},
    {u"count", u"[--base ORDNER] count NAME TEXT", u"Anzahl der Fundstellen in den drei Dokumenten",
     u"Zählt alle Fundstellen von TEXT in den drei Klartext-Dokumenten der Datenbank NAME und\n"
     u"gibt die Zeilen der Meldung des Fensters \"Anzahl\" aus.\n"
     u"\n"
     u"Exit-Status: 0 gezählt, 2 Datenbank fehlt, hat keine Dokumente, oder falscher Aufruf.\n"},
    {u"files", u"[--base ORDNER] files NAME TEXT", u"Zeilen der Dateienliste, die TEXT enthalten",
     u"Gibt jede Zeile der Dateienliste der Datenbank NAME aus, die TEXT enthält (wie \"#TEXT\"\n"
     u"im Suchfeld).\n"
     u"\n"
     u"Exit-Status: 0 gefunden, 1 nicht gefunden, 2 Datenbank fehlt oder falscher Aufruf.\n"},
    {u"sortlist", u"[--base ORDNER] sortlist NAME [--mode words|phrases|both]",
     u"sortierte Wort- und Satzlisten der drei Dokumente",
     u"Erstellt die sortierten Listen der Dokumente der Datenbank NAME wie \"Sortierte Listen\n"
     u"erstellen\" im Suchfenster: je Dokument NAME_Phrasen_Woerter_AnsiListe.txt,\n"
     u"_Utf8Liste.txt oder _UnicodeListe.txt im Ordner Datenbank. Bestehende Listen werden\n"
     u"erst ersetzt, wenn die neue vollständig geschrieben ist.\n"
     u"\n"
     u"  --mode words    nur Wörter (Vorgabe)\n"
     u"  --mode phrases  nur Sätze (Phrasen)\n"
     u"  --mode both     Wörter und Sätze\n"
     u"\n"
     u"Strg+C bricht ab; die Liste, die gerade entsteht, wird dann nicht geschrieben.\n"
     u"Exit-Status: 0 fertig, 1 fehlgeschlagen oder abgebrochen, 2 Datenbank fehlt, hat keine\n"
     u"Dokumente, oder falscher Aufruf.\n"},
    {u"web", u"[--base ORDNER] web [THEMA [N TEXT]] [--open]",
     u"Themen und Webseiten der Datei Adressen_Webseiten.txt",
     u"Liest die Webseiten-Liste Adressen_Webseiten.txt im Basisordner wie die Internetsuche\n"
     u"des Suchfensters. Ohne THEMA werden die Themen ausgegeben, eines je Zeile; mit THEMA\n"
     u"dessen Webseiten als \"<N>TAB<Art>TAB<Adresse>\". Art \">\": die Webseite sucht selbst\n"
     u"nach dem Suchtext, er wird an die Adresse angehängt; \"+\": die Seite wird nur geöffnet.\n"
     u"Mit N und TEXT wird die Adresse ausgegeben, die die Suche öffnen würde. Nur Adressen\n"
     u"mit http:// oder https:// werden geöffnet.\n"
     u"\n"
     u"  --open  die Adresse im eingestellten Browser öffnen\n"
     u"\n"
     u"Exit-Status: 0 ausgegeben, 1 Liste nicht lesbar oder Adresse abgelehnt,\n"
     u"2 Thema oder Nummer fehlt, kein Text oder falscher Aufruf.\n"},
};

const Verb* find(const QString& name)
{
    for (const Verb& verb : kVerbs) {
        if (name == QString::fromUtf16(verb.name))
            return &verb;
    }
    return nullptr;
}

} // namespace

QString versionText()
{
    return QStringLiteral("nimbra (Nimbra-Doviruzu) " NIMBRA_VERSION "\n");
}

QString shortUsage()
{
    return QStringLiteral(
        "Aufruf: nimbra [--base ORDNER] BEFEHL ...\n"
        "  databases          die Datenbanken, eine je Zeile\n"
        "  classify DATEI... [--why]\n"
        "                     Byte-Order-Mark, Klasse und Pfad je Datei\n"
        "  find DATEI TEXT [--encoding N] [--case-sensitive] [--whole-words] [--backward] [--all]\n"
        "                     Fundstellen als \"<Start> <Länge>\", eine je Zeile\n"
        "  index NAME ORDNER ENDUNGEN [--update] [--new-list] [--without-documents]\n"
        "                     erstellt eine Datenbank oder indiziert sie neu\n"
        "  search NAME TEXT [--case-sensitive] [--whole-words] [--open]\n"
        "                     Treffer als \"<Pfad>TAB<Textausschnitt>\", einer je Datei\n"
        "  count NAME TEXT    Anzahl der Fundstellen in den drei Dokumenten\n"
        "  files NAME TEXT    Zeilen der Dateienliste, die TEXT enthalten\n"
        "  sortlist NAME [--mode words|phrases|both]\n"
        "                     sortierte Wort- und Satzlisten der drei Dokumente\n"
        "  web [THEMA [N TEXT]] [--open]\n"
        "                     Themen, Webseiten eines Themas oder die Suchadresse\n"
        "\"nimbra --help\" und \"nimbra BEFEHL --help\" erklären mehr.\n");
}

QString overview()
{
    QString text =
        QStringLiteral("Aufruf: nimbra [--base ORDNER] BEFEHL ...\n"
                       "       nimbra --help | --version\n"
                       "Die Kommandozeile von Nimbra-Doviruzu: erstellt und durchsucht dieselben\n"
                       "Datenbanken wie das Programm nimbra-doviruzu.\n"
                       "\n"
                       "Befehle:\n");
    for (const Verb& verb : kVerbs) {
        text += QStringLiteral("  nimbra ") + QString::fromUtf16(verb.usage) + u'\n' +
                QStringLiteral("      ") + QString::fromUtf16(verb.summary) + u'\n';
    }
    text += QStringLiteral(
        "\n"
        "Optionen:\n"
        "  --base ORDNER  Basisordner; die Datenbanken liegen in dessen Unterordner\n"
        "                 Datenbank. Ohne --base ist es der aktuelle Ordner.\n"
        "  --help, -h     diese Hilfe; nach einem Befehl die Hilfe des Befehls\n"
        "  --version      die Version\n"
        "\n"
        "Umgebung:\n"
        "  NIMBRA_DRIVES  weitere Laufwerksbuchstaben, etwa \"D=/srv/texte;E=/mnt/usb\"\n"
        "                 (C: ist /)\n");
    return text;
}

QString usageLine(const QString& verb)
{
    const Verb* found = find(verb);
    return found ? QStringLiteral("Aufruf: nimbra ") + QString::fromUtf16(found->usage) + u'\n'
                 : QString();
}

QString verbHelp(const QString& verb)
{
    const Verb* found = find(verb);
    return found ? usageLine(verb) + QString::fromUtf16(found->text) : QString();
}

bool isHelpOption(const QString& argument)
{
    return argument == QLatin1String("--help") || argument == QLatin1String("-h");
}

} // namespace commandhelp
