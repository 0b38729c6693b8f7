// Configures Scrivlog from the XML file named on the command line, logs one line that
// passes and one that the configured threshold drops, and shuts down.
#include <scrivlog/logging/config/Scrivlog.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: consumer CONFIG.xml\n", stderr);
        return 2;
    }
    std::string errors;
    if (!scrivlog::ConfigureFromFile(argv[1], &errors)) {
        std::fprintf(stderr, "%s\n", errors.c_str());
        return 1;
    }
    scrivlog::GetLogger("com.example.consumer.Worker")->LogError("disk %s", "full");
    scrivlog::GetLogger("com.example.consumer.Worker")->LogDebug("below the threshold");
    scrivlog::Shutdown();
    return 0;
}
