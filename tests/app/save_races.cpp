// Saving while someone who may write to the document's folder swaps names in it. A save is first made
// undisturbed to learn its calls; then, for every call, a save is made where, just before that call, a
// symbolic link to a secret file elsewhere takes the place of the document's name or of a file the save
// made beside it. At whatever moment, the secret keeps its bytes, mode and owner, and nothing is left
// beside the document but the links. A save that said nothing put the new bytes under the document's
// name (the link may have taken their place since); a save that warned left there the old file or the
// link, and wrote nothing through it. Also, at every step, no file beside a private document is open to
// anyone but its owner.
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/app/save_test.h"

namespace {

using posix_faults::Injector;

enum class Target { Document, OwnFiles };

class SaveRaces : public SaveTest {
 protected:
  const std::string secretBytes = "the secret";

  std::string files() const { return path("files"); }
  std::string document() const { return path("files/doc.bin"); }
  std::string secret() const { return path("secret/secret.bin"); }

  // A private document alone in its folder (with a second name elsewhere it is overwritten in place),
  // and the secret, which root's save must not give to anyone either.
  void lay(bool secondName = false) {
    for (const char *name : {"files", "secret", "other-name.bin"}) std::filesystem::remove_all(path(name));
    std::filesystem::create_directory(files());
    std::filesystem::create_directory(path("secret"));
    writeFile("files/doc.bin", before);
    writeFile("secret/secret.bin", secretBytes);
    ASSERT_EQ(chmod(document().c_str(), 0600), 0);
    ASSERT_EQ(chmod(secret().c_str(), 0600), 0);
    if (geteuid() == 0) {
      ASSERT_EQ(chown(secret().c_str(), 1000, 1000), 0);
    }
    if (secondName) {
      ASSERT_EQ(link(document().c_str(), path("other-name.bin").c_str()), 0);
    }
  }

  bool isPlantedLink(const std::string &name) const {
    std::error_code error;
    return S_ISLNK(entryOf(name).st_mode) && std::filesystem::read_symlink(name, error) == secret();
  }

  // A link to the secret takes `name`'s place in one rename, as an attacker swaps it.
  void plantLink(const std::string &name) {
    std::string link = files() + "/.planted";
    EXPECT_EQ(symlink(secret().c_str(), link.c_str()), 0);
    EXPECT_EQ(rename(link.c_str(), name.c_str()), 0);
  }

  struct Attack {
    bool struck = false;
    bool displacedNewBytes = false;  // the name held the saved document when the link took its place
  };

  void strike(Target target, Attack &attack) {
    if (target == Target::Document) {
      attack.displacedNewBytes = S_ISREG(entryOf(document()).st_mode) && readFile(document()) == after;
      plantLink(document());
      attack.struck = true;
      return;
    }
    for (const std::string &name : namesIn(files())) {
      std::string full = files() + "/" + name;
      if (name == "doc.bin" || S_ISLNK(entryOf(full).st_mode)) continue;
      plantLink(full);
      attack.struck = true;
    }
  }

  void check(const std::string &label, bool told, const Attack &attack) {
    struct stat kept = entryOf(secret());
    EXPECT_TRUE(readFile(secret()) == secretBytes) << label << ": the secret's bytes changed";
    EXPECT_TRUE(S_ISREG(kept.st_mode) && (kept.st_mode & 07777) == 0600) << label << ": the secret's mode changed";
    if (geteuid() == 0) {
      EXPECT_TRUE(kept.st_uid == 1000 && kept.st_gid == 1000) << label << ": the secret's owner changed";
    }
    EXPECT_EQ(namesIn(path("secret")), std::vector<std::string>{"secret.bin"}) << label;
    bool regular = S_ISREG(entryOf(document()).st_mode);
    if (told) {
      EXPECT_TRUE(isPlantedLink(document()) || (regular && readFile(document()) == before))
          << label << ": the user was told, yet the document's name holds neither its old file nor the link";
    } else {
      EXPECT_TRUE((regular && readFile(document()) == after) || (isPlantedLink(document()) && attack.displacedNewBytes))
          << label << ": the user was not told, yet the new bytes are not under the document's name";
    }
    for (const std::string &name : namesIn(files())) {
      if (name != "doc.bin") {
        EXPECT_TRUE(isPlantedLink(files() + "/" + name)) << label << ": " << name << " was left";
      }
    }
  }
};

struct Race {
  const char *label;
  Target target;
  bool nameless;    // the file system makes nameless files, which get a name only just before the rename
  bool secondName;  // a second name elsewhere: the document is overwritten in place
};

TEST_F(SaveRaces, ALinkPlantedAtAnyStepIsNeverFollowed) {
  const Race races[] = {
      {"the document's name", Target::Document, true, false},
      {"the name of a document with two names", Target::Document, true, true},
      {"the temporary file's name", Target::OwnFiles, false, false},
      {"the new file's name before the rename", Target::OwnFiles, true, false},
      {"the copy of the old bytes", Target::OwnFiles, true, true},
  };
  for (const Race &race : races) {
    Setup fileSystem = [&race](Injector &injector) { injector.namelessFilesUnsupported = !race.nameless; };
    lay(race.secondName);
    openAndEdit(document());
    std::vector<std::string> calls = callsOfASave(fileSystem);
    close();
    int struck = 0, saved = 0, told = 0;
    // The first call looks the name up: a link already there when the save begins is the document's own
    // way to its file, which the save writes through (save_targets.cpp).
    for (size_t step = 2; step <= calls.size(); ++step) {
      lay(race.secondName);
      openAndEdit(document());
      Attack attack;
      bool warned = save([&](Injector &injector) {
        fileSystem(injector);
        injector.beforeCall = [&, n = size_t(0)](const char *, int) mutable {
          if (++n == step) strike(race.target, attack);
        };
      });
      close();
      check(std::string(race.label) + ", before call " + std::to_string(step) + " (" + calls[step - 1] + ")", warned,
            attack);
      struck += attack.struck;
      ++(warned ? told : saved);
    }
    std::printf("[ save races ] %s: %zu steps, %d struck, %d saved, %d told\n", race.label, calls.size() - 1, struck,
                saved, told);
  }
}

TEST_F(SaveRaces, NothingButTheDocumentIsOpenToOthersAtAnyStep) {
  mode_t mask = umask(022);  // a usual mask: a file made without a mode of its own is readable by all
  const struct Route {
    const char *label;
    bool nameless;
    bool secondName;  // a second name elsewhere: the document is overwritten in place
  } routes[] = {{"a nameless new file", true, false}, {"a named new file", false, false}, {"in place", true, true}};
  for (const Route &route : routes) {
    lay(route.secondName);
    openAndEdit(document());
    std::vector<std::string> open;
    bool told = save([&](Injector &injector) {
      injector.namelessFilesUnsupported = !route.nameless;
      injector.beforeCall = [&](const char *call, int) {
        for (const std::string &name : namesIn(files())) {
          mode_t mode = entryOf(files() + "/" + name).st_mode;
          char seen[512];
          std::snprintf(seen, sizeof seen, "%s, mode %03o, before %s", name.c_str(), unsigned(mode & 0777), call);
          if (name != "doc.bin" && (mode & 077)) open.push_back(seen);
        }
      };
    });
    close();
    EXPECT_FALSE(told) << route.label;
    EXPECT_EQ(holding(document()), "new") << route.label;
    EXPECT_EQ(entryOf(document()).st_mode & 07777, 0600u) << route.label;
    EXPECT_TRUE(open.empty()) << route.label << ": " << open.size() << " times, first " << open.front();
  }
  umask(mask);
}

}  // namespace
