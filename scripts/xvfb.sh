# Sourced: makes sure a display exists. Without DISPLAY it starts a virtual one on a free
# number and stops it when the sourcing script exits.
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
      REELSCOUT_XVFB_PID=$!
      export DISPLAY=":$n"
      # An empty resource database would be read anew from disk at every font selection.
      export XENVIRONMENT="${XENVIRONMENT:-$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/x-resources}"
      for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
      trap 'kill $REELSCOUT_XVFB_PID 2>/dev/null || true' EXIT
      break
    fi
  done
fi
