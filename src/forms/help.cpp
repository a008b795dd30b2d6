#include "forms/help.h"

#include "game/program.h"

namespace zg {

bool detectHtmlHelp() {
    return true;
}

HelpViewer& helpViewer(Program& p) {
    if (!p.services.help) p.services.help = p.platform().createHelpViewer(p.window);
    return *p.services.help;
}

void showHtmlTopic(Program& p, const std::string& topic, const std::string& file) {
    // The pages lie beside the collections; the help file's name only names the request.
    if (!helpViewer(p).showPage(dataFile(p, topic))) p.questions().message(kHelpError + file);
}

void showClassicHelp(Program&, const std::string&) {}

void closeClassicHelp(Program&) {}

void showMenuHelp(Program& p) {
    if (p.shell.useHtmlHelp)
        showHtmlTopic(p, kMenuTopic, kHelpFile);
    else
        showClassicHelp(p, "Menupunkte");
}

void showRulesHelp(Program& p) {
    if (p.shell.useHtmlHelp)
        showHtmlTopic(p, kRulesTopic, kHelpFileOfLoops);
    else
        showClassicHelp(p, "Erklärung");
}

}  // namespace zg
