#include "editor/qt/play_test_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "editor/qt/game_keys.h"
#include "editor/qt/surface_image.h"
#include "editor/qt/ui_text.h"

namespace quorle {

// The game's picture, enlarged by the largest whole factor that fits and
// centred on black.
class GameView : public QWidget {
  public:
    explicit GameView(const tovek::Surface& picture) : picture_(picture) {
        setObjectName(QStringLiteral("picMain"));
        setMinimumSize(picture.Width(), picture.Height());
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
    }

    QSize sizeHint() const override { return {2 * picture_.Width(), 2 * picture_.Height()}; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        const int factor =
            std::max(1, std::min(width() / picture_.Width(), height() / picture_.Height()));
        const QSize size(picture_.Width() * factor, picture_.Height() * factor);
        const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2),
                           size);
        painter.drawImage(target, SurfaceImage(picture_));
    }

  private:
    const tovek::Surface& picture_;
};

namespace {

constexpr int kCharacterCount = 3;

QLabel* StatusLabel(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

PlayTestWindow::PlayTestWindow(PlayStart start, std::optional<Route> route,
                               const std::filesystem::path& programFolder,
                               const tovek::PictureSheets& sheets, tovek::TextPainter* text,
                               QWidget* parent)
    : QDialog(parent),
      play_(programFolder, clock_, sheets, text),
      start_(std::move(start)),
      route_(std::move(route)) {
    setObjectName(QStringLiteral("frmPlayTest"));
    view_ = new GameView(play_.State().picMain);

    character_ = new QComboBox;
    character_->setObjectName(QStringLiteral("cmbCharacter"));
    // The keys belong to the game: the choice is made with the mouse. A
    // route belongs to its character.
    character_->setFocusPolicy(Qt::NoFocus);
    character_->setEnabled(!route_);
    for (int i = 0; i < kCharacterCount; ++i)
        character_->addItem(ToQString(CharacterName(i)));

    auto* characterRow = new QHBoxLayout;
    characterRow->addWidget(new QLabel(QStringLiteral("キャラクター:")));
    characterRow->addWidget(character_);
    characterRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(view_, 1);
    labels_[0] = StatusLabel("lblMain(0)");
    labels_[1] = StatusLabel("lblMain(1)");
    layout->addWidget(labels_[0]);
    layout->addWidget(labels_[1]);
    layout->addLayout(characterRow);

    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    Restart();
    connect(character_, &QComboBox::activated, this, [this](int index) {
        start_.character = index;
        Restart();
    });
    view_->setFocus();
}

void PlayTestWindow::Restart() {
    if (route_) {
        play_.StartReplay(start_, route_->seed, route_->keys);
    } else {
        play_.Start(start_);
    }
    const int character = play_.State().character;
    if (character >= 0 && character < character_->count()) character_->setCurrentIndex(character);
    timer_.start(play_.TickInterval());
    ShowState();
    view_->setFocus();
}

void PlayTestWindow::Tick() {
    play_.Tick();
    ShowState();
}

void PlayTestWindow::keyPressEvent(QKeyEvent* event) {
    const std::optional<int> key = GameKeyCode(event->key());
    if (!key) {
        QDialog::keyPressEvent(event);
        return;
    }
    // Held keys repeat as further presses, as the game expects.
    play_.KeyDown(*key);
    ShowState();
}

void PlayTestWindow::keyReleaseEvent(QKeyEvent* event) {
    const std::optional<int> key = GameKeyCode(event->key());
    // A held key's repeats come as release and press pairs: only the last
    // release lets go.
    if (!key || event->isAutoRepeat()) return;
    play_.KeyUp(*key);
    ShowState();
}

void PlayTestWindow::ShowState() {
    const tovek::Game& game = play_.State();
    const QString title = ToQString(game.caption) + (route_ ? QStringLiteral(" - ルートの再生")
                                                            : QStringLiteral(" - テストプレイ"));
    if (windowTitle() != title) setWindowTitle(title);
    for (int i = 0; i < 2; ++i) {
        const QString text = ToQString(game.lblMain[static_cast<std::size_t>(i)]);
        if (labels_[i]->text() != text) labels_[i]->setText(text);
    }
    view_->update();
    if (play_.Ended()) {
        timer_.stop();
        accept();
    }
}

}  // namespace quorle
