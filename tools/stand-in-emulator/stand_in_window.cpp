#include "stand_in_window.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace kw::standin {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kBarHeight = 8;
constexpr Uint32 kFrameMilliseconds = 16;

using Clock = std::chrono::steady_clock;

bool TimeIsUp(Clock::time_point start, long seconds) {
  return seconds > 0 && Clock::now() - start >= std::chrono::seconds(seconds);
}

// One bar per eight lines, its colour three bytes of the ROMs, moved down a line each frame.
void DrawFrame(SDL_Renderer* renderer, const std::string& bytes, unsigned frame) {
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  const std::size_t bars = bytes.empty() ? 1 : (bytes.size() + 2) / 3;
  const int shift = static_cast<int>(frame % kBarHeight);
  const std::size_t first = frame / kBarHeight;
  for (int y = -kBarHeight, row = 0; y < kHeight; y += kBarHeight, ++row) {
    const std::size_t bar = (first + bars - static_cast<std::size_t>(row) % bars) % bars;
    auto byte = [&](std::size_t i) {
      return static_cast<Uint8>(bar * 3 + i < bytes.size() ? bytes[bar * 3 + i] : 0x40 * i);
    };
    SDL_SetRenderDrawColor(renderer, byte(0), byte(1), byte(2), 255);
    SDL_Rect rect{0, y + shift, kWidth, kBarHeight};
    SDL_RenderFillRect(renderer, &rect);
  }
  SDL_RenderPresent(renderer);
}

// False when no window could be opened.
bool RunWindow(const Screen& screen, Clock::time_point start) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::printf("Unable to open a window (%s): running without one\n", SDL_GetError());
    return false;
  }
  // Without a display SDL falls back to drivers whose windows nobody sees, nor could close.
  const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
  if (driver == "offscreen" || driver == "dummy") {
    std::printf("Unable to open a window (no display): running without one\n");
    SDL_Quit();
    return false;
  }
  SDL_Window* window = SDL_CreateWindow(screen.title.c_str(), SDL_WINDOWPOS_CENTERED,
                                        SDL_WINDOWPOS_CENTERED, kWidth, kHeight, 0);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
  if (!renderer) {
    std::printf("Unable to open a window (%s): running without one\n", SDL_GetError());
    if (window) SDL_DestroyWindow(window);
    SDL_Quit();
    return false;
  }
  bool running = true;
  for (unsigned frame = 0; running && !TimeIsUp(start, screen.seconds_to_run); ++frame) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      const bool escape = event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE;
      const bool closed =
          event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE;
      if (escape || closed || event.type == SDL_QUIT) running = false;
    }
    DrawFrame(renderer, screen.bytes, frame);
    SDL_Delay(kFrameMilliseconds);
  }
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return true;
}

}  // namespace

void RunScreen(const Screen& screen) {
  const Clock::time_point start = Clock::now();
  std::fflush(stdout);
  if (screen.window && RunWindow(screen, start)) return;
  // Without a window nobody can leave the game: it lasts exactly the time to run.
  std::this_thread::sleep_until(start + std::chrono::seconds(screen.seconds_to_run));
}

}  // namespace kw::standin
