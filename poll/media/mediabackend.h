#pragma once

// Chooses the FFmpeg media backend unless the user named one: the GStreamer
// backend needs plugins a desktop may lack, and without them it fails as a
// media player is made. Recording and playback share one backend, picked
// the first time anything uses QtMultimedia, so this is called before that.
void chooseMediaBackend();
