#include "Grammar.h"

#include "engine/TextRules.h"

namespace workbench {

AnswerList splitAnswers(std::string_view answers) {
    AnswerList list;
    std::size_t start = 0;
    for (std::size_t semicolon = answers.find(';'); semicolon != std::string_view::npos;
         semicolon = answers.find(';', start)) {
        list.alternatives.push_back(answers.substr(start, semicolon - start));
        start = semicolon + 1;
    }
    list.rest = answers.substr(start);
    return list;
}

bool asks(std::string_view alternative) {
    while (!alternative.empty() && alternative.back() == ' ')
        alternative.remove_suffix(1);
    return !alternative.empty() && alternative.back() == '?';
}

bool branchFollows(const kb::Lines& words, int from, int depth) {
    for (std::size_t i = static_cast<std::size_t>(from) + 1; i < words.size(); ++i) {
        const engine::WordsLine line(words[i]);
        if (!line.wellFormed())
            continue;
        if (line.depth() == 0)
            return false;
        if (line.depth() == depth && line.answered())
            return true;
    }
    return false;
}

} // namespace workbench
