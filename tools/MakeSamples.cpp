#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <exception>

#include "tools/SampleBackgrounds.h"

// Writes the sample button backgrounds into the folder named by its argument, leaving any file
// that is there already.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: make_samples FOLDER\n");
        return 2;
    }
    try {
        if (samples::WriteSampleBackgrounds(args[1]) < 0) {
            std::fprintf(stderr, "make_samples: cannot make the folder %s\n", qPrintable(args[1]));
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_samples: %s\n", e.what());
        return 1;
    }
    return 0;
}
