// velmora-pair --dutch TOURNAMENT.trf -p [PAIRINGS.txt]
//
// Reads the rounds played so far and writes the next round: the number of pairs, then one
// "white black" line per board by starting number, the pairing-allocated bye as "N 0".
// Exit status: 0 paired, 1 the file cannot be read or is malformed, 2 wrong command line,
// 3 the round cannot be paired.
#include "Dutch.h"
#include "Trf.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

int usage() {
    std::cerr << "usage: velmora-pair --dutch TOURNAMENT.trf -p [PAIRINGS.txt]\n"
                 "  pairs the next round of the tournament by the FIDE Dutch system;\n"
                 "  -p without a file writes the pairing to standard output.\n";
    return 2;
}

bool readFile(const std::string& path, std::string& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    out = ss.str();
    if (out.size() > (64u << 20)) {
        error = path + " is too large for a tournament report file";
        return false;
    }
    return true;
}

// The pairing goes to a temporary file beside the target that replaces it only once whole.
bool writeAtomically(const std::string& path, const std::string& text, std::string& error) {
    const std::string tmp = path + ".tmp" + std::to_string(::getpid());
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    const bool flushed = std::fflush(f) == 0 && ::fsync(fileno(f)) == 0;
    const bool closed = std::fclose(f) == 0;
    if (!written || !flushed || !closed || std::rename(tmp.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::string input, output;
    bool dutch = false, toStdout = false, wantPairing = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--dutch") {
            dutch = true;
            if (i + 1 < argc && argv[i + 1][0] != '-')
                input = argv[++i];
        } else if (a == "-p") {
            wantPairing = true;
            if (i + 1 < argc && argv[i + 1][0] != '-')
                output = argv[++i];
            else
                toStdout = true;
        } else if (a == "-h" || a == "--help") {
            usage();
            return 0;
        } else if (input.empty() && !a.empty() && a[0] != '-') {
            input = a;
        } else {
            std::cerr << "velmora-pair: unknown argument \"" << a << "\"\n";
            return usage();
        }
    }
    if (!dutch || input.empty() || !wantPairing)
        return usage();

    std::string text, error;
    if (!readFile(input, text, error)) {
        std::cerr << "velmora-pair: " << error << "\n";
        return 1;
    }
    const velmora::swiss::TrfReadResult trf = velmora::swiss::readTrf(text);
    if (!trf.ok) {
        std::cerr << "velmora-pair: " << input << ": " << trf.error << "\n";
        return 1;
    }
    velmora::swiss::Tournament t = trf.tournament;
    if (t.bakuAcceleration)
        velmora::swiss::applyBakuAcceleration(t);
    const velmora::swiss::PairingResult r = velmora::swiss::pairDutch(t);
    if (!r.ok) {
        std::cerr << "velmora-pair: " << input << ": " << r.error << "\n";
        return 3;
    }
    std::string out = std::to_string(r.pairs.size()) + "\n";
    for (const auto& p : r.pairs)
        out += std::to_string(p.white) + " " + std::to_string(p.black) + "\n";
    if (toStdout || output.empty()) {
        std::cout << out << std::flush;
        return std::cout ? 0 : 1;
    }
    if (!writeAtomically(output, out, error)) {
        std::cerr << "velmora-pair: " << error << "\n";
        return 1;
    }
    return 0;
}
