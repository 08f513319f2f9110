#pragma once

namespace tovek {

// SDL's video subsystem for the program's lifetime, set up for a window that
// shows exact pixels.
class VideoSession {
  public:
    VideoSession();
    ~VideoSession();
    VideoSession(const VideoSession&) = delete;
    VideoSession& operator=(const VideoSession&) = delete;

    bool Started() const { return started_; }

  private:
    bool started_ = false;
};

}  // namespace tovek
