// How each option dialog shows a stored value, takes an edit, and what its Save stores, byte for
// byte: the "values" table of tests/data/dialog_cases.json.
#include "dialog_fixture.h"

TEST_F(DialogTest, StoredValuesAreShownEditedAndSavedBack) {
    for (const Json& c : kTables.at("values")) {
        SCOPED_TRACE(c.dump().substr(0, 300));
        const std::string key = c.at("key"), pad(c.value("pad", 0), 'y');
        // The table's value, `field`, stored for the key in `ini`.
        const auto with = [&](const char* field, const std::string& ini) {
            if (!c.contains(field)) return ini;
            const Json& v = c[field];
            return IniWith(key, v.is_null() ? std::nullopt : std::optional(pad + Bytes(v)), ini);
        };
        const std::string ini = with("value", kWebIni);
        start(ini);
        QDialog* d = open(KindNamed(c.at("dialog")));
        EXPECT_TRUE(d->isVisible());
        // Only the auto-format dialog stays on top, and only for "true".
        EXPECT_EQ(d->windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.value("onTop", false));
        if (c.contains("shown")) {
            EXPECT_EQ(shown(c["shown"][0].get<std::string>().c_str()),
                      QString::fromStdString(c["shown"][1]));
        }
        if (c.contains("edit")) {
            edit(c["edit"].get<std::string>().c_str(),
                 QKeySequence(QString::fromStdString(c.value("first", ""))),
                 QString::fromStdString(c.value("typed", "")));
        }
        click("Command_Save");
        EXPECT_EQ(fileBytes("web.ini"), kBom + with("saved", ini));
    }
}
