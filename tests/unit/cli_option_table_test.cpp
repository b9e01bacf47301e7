// Every option of every command is in the command's help, and the generated bash completion
// offers every command and every option of every command.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/bash_completion.h"
#include "cli/command_table.h"
#include "cli/help_text.h"

namespace
{

struct Case {
    std::vector<std::string> words; // after "q4k"; the last one is being completed
    std::string expected;
};

// What bash offers for each case, one line each.
std::vector<std::string> Offered(const std::vector<Case>& cases)
{
    const std::filesystem::path script = std::filesystem::temp_directory_path() / "q4k_completion_test.bash";
    std::ofstream(script) << BashCompletion();
    std::ostringstream program;
    program << "source " << script << "\n";
    for (const Case& c : cases) {
        program << "COMP_WORDS=(q4k";
        for (const std::string& word : c.words)
            program << " '" << word << "'";
        program << "); COMP_CWORD=" << c.words.size() << "; COMPREPLY=(); _q4k; echo \" ${COMPREPLY[*]} \"\n";
    }
    const std::filesystem::path file = script.string() + ".run";
    std::ofstream(file) << program.str();
    std::vector<std::string> lines;
    FILE* bash = ::popen(("bash " + file.string()).c_str(), "r");
    char buffer[4096];
    while (bash && std::fgets(buffer, sizeof buffer, bash))
        lines.emplace_back(buffer);
    if (bash)
        ::pclose(bash);
    std::filesystem::remove(script);
    std::filesystem::remove(file);
    return lines;
}

} // namespace

TEST(CliOptionTable, TheHelpOfEveryCommandNamesEachOfItsOptions)
{
    for (const CommandSpec& command : CommandTable()) {
        const std::string help = CommandHelpText(command);
        for (const OptionSpec& declared : OptionTable()) {
            const bool named = help.find(declared.name) != std::string::npos ||
                               (!declared.shortName.empty() && help.find(declared.shortName) != std::string::npos);
            EXPECT_TRUE(named || !Allows(command, declared.option)) << command.name << " " << declared.name;
        }
    }
}

TEST(CliOptionTable, EveryCommandAndEachOfItsOptionsCompletes)
{
    std::vector<Case> cases;
    for (const CommandSpec& command : CommandTable()) {
        const std::string name(command.name);
        cases.push_back({{name.substr(0, 2)}, name});
        cases.push_back({{"help", name.substr(0, 2)}, name});
        for (const OptionSpec& declared : OptionTable())
            if (Allows(command, declared.option))
                for (const std::string_view spelling : {declared.name, declared.shortName})
                    if (!spelling.empty())
                        cases.push_back({{name, std::string(spelling)}, std::string(spelling)});
    }
    const std::vector<std::string> offered = Offered(cases);
    ASSERT_EQ(offered.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_NE(offered[i].find(" " + cases[i].expected + " "), std::string::npos)
            << cases[i].words[0] << " " << cases[i].words.back() << ":" << offered[i];
}
