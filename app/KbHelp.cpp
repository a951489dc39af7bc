#include "KbHelp.h"

#include "workbench/Check.h"

#include <map>

namespace kbhelp {
namespace {

struct Help {
    const char* usage;
    const char* text;
};

const std::map<std::string, Help>& helps() {
    static const std::map<std::string, Help> all = {
        {"check",
         {"talkbase-kb check [--dir DIR] [--format json] [--words FILE] [--kept NOTE]",
          "Reads every file of Base/ with the program's own storage and reports what the\n"
          "grammar forbids or what can never work (errors) and what the matching will do\n"
          "that an author may not expect (warnings), one finding a line:\n"
          "  Base/Words.Dat:LINE: error: CODE: message\n"
          "LINE is the program's line index, from 0 (line 0 is the header), as explain and\n"
          "the console driver's --explain print it. Exit 1 when there is an error.\n"
          "\n"
          "Errors: empty-line, no-caret, empty-alternative, unclosed-answer (text after the\n"
          "last \";\" other than a main line's final \"@\"), lowercase-key (a small letter in a\n"
          "phrase part never matches), semicolon-in-key, leave-on-branch (\"@\" ends no\n"
          "dialogue from a branch line), orphan-branch (a branch line of depth d with no line\n"
          "of depth d-1 above it since the last main line), empty-answer-file,\n"
          "no-follow-up-lines (AI.dat with fewer than two lines).\n"
          "Warnings: shadowed, censored, key-inside-word (a word of a phrase part found\n"
          "inside a longer word of the base's text or of --words; a key with a leading blank\n"
          "such as \" ТЫ\", or with punctuation around it such as \"ДА.\", is held to the\n"
          "start or the end of a word; a stem of four letters or more at the start of a word\n"
          "with at most three letters after it is that word's own form, as КОШК in КОШКАМИ,\n"
          "and is not reported; a key of several words, as a branch line's \"А ТЫ\", is looked\n"
          "for in the base's running text only, where its ends can stand inside words:\n"
          "«да ты что»), unfollowed-question (an answer ending in \"?\" with no\n"
          "branch line of the next depth after its line; a follow-up remark of AI.dat that\n"
          "asks), unanswered (a learned phrase still waiting for its first answer),\n"
          "duplicate-alternative.\n"
          "\n"
          "  --format json   an array of {file, line, severity, code, message, other_line}\n"
          "  --words FILE    a word list (UTF-8, any text; it is cut into words) for\n"
          "                  key-inside-word besides the base's own text\n"
          "  --kept NOTE     an authoring note (UTF-8) whose list items - \"KEY\": reason\n"
          "                  (or - \"KEY\", \"KEY\": reason) name keys kept inside longer\n"
          "                  words on purpose: key-inside-word does not name those keys\n"
          "\n"}},
        {"explain",
         {"talkbase-kb explain PHRASE [--dir DIR] [--after LINE] [--line N] [--format json]",
          "Shows what a turn would do with PHRASE, without learning or writing anything:\n"
          "the phrase as normalised, the censor and filter entries found in it, the\n"
          "long-input gate, and which step answers: the follow-up search (with --after),\n"
          "the main scan (with the line and where each of its words was found, marked in\n"
          "brackets, and the other lines that match too and lose by file order), or the\n"
          "question rule with its fallback file. The repeat rule, which compares with the\n"
          "previous line of the display, is left out.\n"
          "\n"
          "  --after LINE    the thread state after an answer from Words.Dat line LINE\n"
          "  --line N        why line N does not answer: the first word of its phrase part\n"
          "                  that is not found, and after which position it was searched\n"
          "  --format json   {normalised, source (censor, long-input, follow-up, main-scan,\n"
          "                  question-rule), line, words [{word, position}], also_matching,\n"
          "                  censor, filter, long_input, after, fallback_file, why_not}\n"}},
        {"test",
         {"talkbase-kb test CASES... [--dir DIR] [--clock HH:MM:SS.mmm]",
          "Runs regression cases, plain UTF-8 files:\n"
          "  # a comment\n"
          "  > привет\n"
          "  < line 1\n"
          "  > как дела?\n"
          "  < line \"КАК ДЕЛА?\"\n"
          "\n"
          "  > что-то совсем непонятное\n"
          "  < fallback\n"
          "\"> TEXT\" types a phrase; the \"<\" line after it says what must answer: line N\n"
          "(Words.Dat line N), line \"PHRASE PART\" (the line whose text before \"^\" is exactly\n"
          "that, underscores of a branch line included, by any of its answers), text\n"
          "\"EXACT\" (this answer exactly), fallback (the question rule), repeat, censor,\n"
          "long, or any. A blank line starts a new conversation with a fresh dialogue\n"
          "state. Every file runs on a temporary copy of the base, which its turns teach\n"
          "as the program would; the base itself never changes. The clock is fixed\n"
          "(default noon), so the answers are the same at every run. A failing case prints\n"
          "FILE:LINE: expected ..., got ... (answered by ...); the run ends with\n"
          "\"N passed, M failed\". Exit 1 when a case failed, 2 when a file cannot be read.\n"}},
        {"record",
         {"talkbase-kb record LOG [--dir DIR] [--clock HH:MM:SS.mmm] [--output FILE]",
          "Writes cases from a transcript (the USER: lines of Base/Log.Brisol, or what the\n"
          "console driver printed): each phrase becomes a \">\" line with today's answer as\n"
          "its expectation, so that an edit of the base can be checked against it with\n"
          "test. Each log block is a conversation of its own.\n"}},
        {"stats",
         {"talkbase-kb stats [--dir DIR] [--format json]",
          "The window's statistics (main phrases, branches, incoming, outgoing, total)\n"
          "and more: threads and their depths, alternatives per line, distinct answers,\n"
          "alternatives that ask and how many of them no branch line follows, learned\n"
          "lines still unanswered, and the lines of each file.\n"}},
        {"export",
         {"talkbase-kb export OUTDIR [--dir DIR]",
          "Writes every knowledge-base file of Base/ into OUTDIR as UTF-8 text with LF line\n"
          "ends, under the same names, one line a line: for everyday editors and version\n"
          "control.\n"}},
        {"import",
         {"talkbase-kb import INDIR [--dir DIR] [--plain]",
          "Writes the knowledge-base files found in INDIR (UTF-8 text, as export writes\n"
          "them) back into Base/ in the program's form: RTF as the program saves, or with\n"
          "--plain Windows-1251 text with CR LF; each save is atomic and takes the\n"
          "program's lock. A character that Windows-1251 cannot hold is an error naming\n"
          "the file and its line (counted from 1), and then nothing is written.\n"}},
        {"learned",
         {"talkbase-kb learned [--dir DIR] [--since YYYY-MM-DD] [--format json]",
          "Lists what the program learned, from its journal Base/Learning.log, oldest first:\n"
          "each entry's number, time, the phrase learned and the program's answer before it,\n"
          "and each change it saved: a line of W1.Dat or W2.Dat, a new line of Words.Dat,\n"
          "an answer attached to a line of Words.Dat. Each change shows whether it is still\n"
          "there (present), was removed or changed by hand (gone), or was taken back by\n"
          "forget (forgotten).\n"
          "  --since DATE    only the entries of that day and later\n"
          "  --format json   an array of {id, time, phrase, after, changes [{kind, file,\n"
          "                  text or line and alternative, state}], forgotten}\n"}},
        {"forget",
         {"talkbase-kb forget ID... [--last N] [--with-answers] [--dir DIR]",
          "Takes back exactly what the journal's entries added, and nothing else: the line\n"
          "added to W1.Dat or W2.Dat (the last line equal to it); the learned line of\n"
          "Words.Dat, wherever it now stands, while it has no answer yet; the answer\n"
          "attached to a line, wherever that line now stands (the line keeps its other\n"
          "answers, its place and any \"@\"). What a person changed since is never touched:\n"
          "a change whose exact text is no longer there is reported as not found. Each file\n"
          "is saved atomically under the program's lock, and a \"forgot\" entry is added to\n"
          "the journal. Exit 0 when everything asked was taken back, 1 when something was\n"
          "not found or kept, 2 for an unknown entry (then nothing is changed).\n"
          "  --last N        the last N entries not taken back yet\n"
          "  --with-answers  a learned line that has received answers since is removed\n"
          "                  with them; the entries whose answers those were are named\n"}},
        {"coverage",
         {"talkbase-kb coverage LOG... [--dir DIR] [--clock HH:MM:SS.mmm] [--list N]",
          "Replays the user phrases of transcripts through the engine on a copy of the\n"
          "base and reports how often each Words.Dat line answered, the answered lines that\n"
          "never did, the share of fallback answers and the phrases that fell back most\n"
          "often: the best candidates for new lines. --list N: how many of each to list\n"
          "(default 20).\n"}},
    };
    return all;
}

} // namespace

std::string overview() {
    std::string text =
        "talkbase-kb COMMAND [--dir DIR] [options]\n"
        "\n"
        "The workbench for the people who grow Talkbase's knowledge base. DIR is the\n"
        "working directory that holds Base/ (default: the current directory). Output is\n"
        "UTF-8. Exit status: 0 success; 1 the command found errors or failing cases;\n"
        "2 bad arguments or a base that cannot be read. Only import writes to the base.\n"
        "\n"
        "Commands:\n";
    for (const auto& [name, help] : helps())
        text += "  " + std::string(help.usage) + "\n";
    return text + "\n\"talkbase-kb COMMAND --help\" describes a command.\n";
}

std::string usage(const std::string& command) {
    const auto found = helps().find(command);
    if (found == helps().end())
        return "usage: talkbase-kb COMMAND [--dir DIR] [options]; talkbase-kb --help lists the commands\n";
    return std::string("usage: ") + found->second.usage + "\n";
}

std::string command(const std::string& name) {
    const auto found = helps().find(name);
    if (found == helps().end())
        return overview();
    std::string text = std::string("usage: ") + found->second.usage + "\n\n" + found->second.text;
    if (name == "check")
        text += std::string(workbench::kCertaintyRule) + "\n";
    return text;
}

} // namespace kbhelp
