// A scripted GTP engine for the tests: it answers every command with success, plays the moves
// it is given in turn, and misbehaves on request.
//
//   fake_gtp_engine [--moves D4,pass,resign] [--no-undo] [--no-score] [--score W+3.5]
//                   [--estimate B+1.5] [--dead A1,B2] [--log FILE] [--at COMMAND:N=ACTION]...
//
// ACTION, for the N-th time COMMAND arrives: error (a "?" reply), garbage (a line that is no
// reply), long (a reply of a megabyte), badid (a reply with another id), hang (no reply,
// ever), trickle (no reply, but a blank line every 50 ms), exit (ends at once, status 3), crash
// (killed by SIGKILL, which no sanitizer can catch and turn into an exit status), move=V (genmove
// answers V). The arguments can also come from the environment variable FAKE_GTP_ARGS, split at
// spaces.
#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, separator))
        if (!part.empty()) parts.push_back(part);
    return parts;
}

void reply(const std::string& id, bool ok, const std::string& text) {
    std::cout << (ok ? "=" : "?") << id << (text.empty() ? "" : " ") << text << "\n\n"
              << std::flush;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (const char* env = std::getenv("FAKE_GTP_ARGS"))
        for (const std::string& a : split(env, ' ')) args.push_back(a);

    std::vector<std::string> moves;
    bool undo = true, scoring = true;
    std::string score = "W+3.5", estimate = "B+1.5", dead;
    std::ofstream log;
    std::map<std::string, std::string> actions;  // "genmove:2" -> "hang"
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--moves" && hasValue)
            moves = split(args[++i], ',');
        else if (a == "--no-undo")
            undo = false;
        else if (a == "--no-score")
            scoring = false;
        else if (a == "--score" && hasValue)
            score = args[++i];
        else if (a == "--estimate" && hasValue)
            estimate = args[++i];
        else if (a == "--dead" && hasValue) {
            for (const std::string& v : split(args[++i], ','))
                dead += (dead.empty() ? "" : " ") + v;
        } else if (a == "--log" && hasValue)
            log.open(args[++i], std::ios::app);
        else if (a == "--at" && hasValue) {
            const std::string rule = args[++i];
            const std::size_t eq = rule.find('=');
            actions[rule.substr(0, eq)] = eq == std::string::npos ? "" : rule.substr(eq + 1);
        }
    }

    std::map<std::string, int> seen;
    std::size_t nextMove = 0;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (log.is_open()) log << line << std::endl;
        std::istringstream words(line);
        std::string id, command;
        words >> id;
        if (!id.empty() && id.find_first_not_of("0123456789") == std::string::npos) {
            words >> command;
        } else {
            command = id;
            id.clear();
        }
        if (command.empty()) continue;
        const int count = ++seen[command];
        const auto found = actions.find(command + ":" + std::to_string(count));
        const std::string action = found == actions.end() ? "" : found->second;
        if (action == "error") {
            reply(id, false, "scripted failure");
            continue;
        }
        if (action == "garbage") {
            std::cout << "this is no reply\n\n" << std::flush;
            continue;
        }
        if (action == "long") {
            std::cout << "=" << id << " " << std::string(1 << 20, 'x') << "\n\n" << std::flush;
            continue;
        }
        if (action == "badid") {
            reply(id + "7", true, "");
            continue;
        }
        if (action == "hang") {
            for (;;) ::pause();  // until the program kills it
        }
        while (action == "trickle") {
            std::cout << "\n" << std::flush;
            ::poll(nullptr, 0, 50);
        }
        if (action == "exit") return 3;
        if (action == "crash") std::raise(SIGKILL);

        if (command == "quit") {
            reply(id, true, "");
            return 0;
        }
        if (command == "list_commands") {
            std::string list =
                "protocol_version\nname\nboardsize\nclear_board\nkomi\nplay\ngenmove\n"
                "set_free_handicap\nlist_commands\nquit";
            if (undo) list += "\nundo";
            if (scoring) list += "\nfinal_score\nfinal_status_list\nestimate_score";
            reply(id, true, list);
        } else if (command == "genmove") {
            std::string move = "pass";
            if (action.rfind("move=", 0) == 0)
                move = action.substr(5);
            else if (nextMove < moves.size())
                move = moves[nextMove++];
            reply(id, true, move);
        } else if (command == "undo" && !undo) {
            reply(id, false, "unknown command");
        } else if (command == "final_score") {
            reply(id, scoring, scoring ? score : "unknown command");
        } else if (command == "estimate_score") {
            reply(id, scoring, scoring ? estimate + " (upper bound: 9, lower: 0)" : "unknown");
        } else if (command == "final_status_list") {
            reply(id, scoring, scoring ? dead : "unknown command");
        } else {
            reply(id, true, "");
        }
    }
    return 0;
}
