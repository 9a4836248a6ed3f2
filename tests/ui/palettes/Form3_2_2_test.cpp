#include "ScenarioRunner.h"

#include <gtest/gtest.h>
#include <utility>

// Where the pan/tilt pad's marker stands, which no scenario check reaches.

namespace {

// Plays the lines, then notes the marker's place while the editor still runs.
class MarkerWatch : public LineSource {
public:
    explicit MarkerWatch(QStringList lines) : lines_(std::move(lines)) {}

    std::optional<QString> nextLine() override {
        if (next_ < lines_.size()) {
            return lines_[next_++];
        }
        if (const platform::Control* marker = ScenarioRunner::findControl("Form3_2_2.Shape1")) {
            place = {marker->Left(), marker->Top()};
        }
        return std::nullopt;
    }

    std::pair<int, int> place{-1, -1}; // twips inside the pad

private:
    QStringList lines_;
    qsizetype next_ = 0;
};

} // namespace

// The colour boxes double as the pad's boxes. When the colour left them at the centre's "128",
// coming back to the pad sets no new text, yet the marker must leave the point dragged to
// before and stand on the centre the boxes show: 128 less half its 16 units, 10 twips a unit.
TEST(PaletteEditorPad, TheMarkerFollowsBoxesThatAlreadyHeldTheirText) {
    QStringList lines{"start",
                      "advance 3000",
                      "click Form0.Command11",
                      "type Form1.Text3 \"Maker\"",
                      "type Form1.Text4 \"Spot\"",
                      "type Form1.Text5 \"5\"",
                      "click Form1.Command3"};
    const std::pair<const char*, const char*> channels[] = {{"Pan", "E - Pan"},
                                                            {"Tilt", "F - Tilt"},
                                                            {"Red", "T - Red"},
                                                            {"Green", "U - Green"},
                                                            {"Blue", "V - Blue"}};
    int row = 0;
    for (const auto& [name, type] : channels) {
        lines << QString("cell Form2.MSFlexGrid1 %1 1").arg(++row)
              << QString("type Form2_3.Text1 \"%1\"").arg(name)
              << QString("pick Form2_3.Combo4 \"%1\"").arg(type) << "click Form2_3.Command1";
    }
    lines << "click Form2.Command2"
          << "click Form3.Command5"
          << "click Form3_2.Command1"
          << "click Form3_2_1.Command3"
          << "click Form3_2_3.Command1";
    row = 0;
    for (const auto& [name, type] : channels) {
        lines << QString("pick Form3_2_1.List1 \"%1 - %2\"").arg(++row).arg(name);
    }
    lines << "click Form3_2_1.Command1"
          // Pan: the marker dragged away from the centre.
          << "cell Form3_2_2.MSFlexGrid1 1 3"
          << "drag Form3_2_2.Picture1 10 20 10 20"
          // Red: a colour that leaves green and blue at 128.
          << "cell Form3_2_2.MSFlexGrid1 1 5"
          << "dialog color 0 128 128"
          << "click Form3_2_2.Command3"
          << "expect text Form3_2_2.Text4 \"128\""
          << "expect text Form3_2_2.Text5 \"128\""
          // Pan again: the new entry's pad is at the centre.
          << "cell Form3_2_2.MSFlexGrid1 1 3"
          << "expect text Form3_2_2.Text4 \"128\""
          << "expect text Form3_2_2.Text5 \"128\""
          << "expect no-message";
    MarkerWatch watch(lines);
    ScenarioRunner runner(watch, "pad marker");
    runner.run();
    EXPECT_EQ(runner.failure(), "");
    EXPECT_EQ(watch.place, std::pair(1200, 1200));
}
