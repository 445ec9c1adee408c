#pragma once

class PlayWatch;

// How a game ended, as the screen after it needs to know.
struct GameOutcome {
    bool won = false;
    float playedSeconds = 0.0f;
    bool relaxed = false;
    const PlayWatch* watch = nullptr; // the course of the game, for the end screen's tip
};

// Which screen a state is showing, for what the shell draws over it (its buttons).
enum class Screen { Other, Splash, Instructions, Play, End };

// One screen of the game. Every GLUT event reaches the current screen through one of these.
// The shell knows no screen's type: what it needs to know, it asks the screen.
class State {
public:
    explicit State(const char* name) : name(name) {}
    virtual ~State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    virtual bool enter(State* previous);
    virtual bool leave(State* next);
    virtual bool release(State* next);
    virtual void draw() {}
    virtual void update() {}
    virtual void mouse(int button, int state, int x, int y);
    virtual void motion(int x, int y);
    virtual void passiveMotion(int x, int y);
    virtual void keyboard(unsigned char key, int x, int y);
    virtual void keyboardUp(unsigned char key, int x, int y);
    virtual void special(int key, int x, int y);
    virtual void specialUp(int key, int x, int y);

    // Whether the picture stands still until something happens (the shell then draws it
    // seldom): true but for a game in play.
    virtual bool still() const { return true; }
    // The window went out of sight.
    virtual void windowHidden() {}
    // A finished game's outcome; false for a screen that is not a game.
    virtual bool outcome(GameOutcome&) const { return false; }
    virtual Screen screen() const { return Screen::Other; }
    // Whether the player has asked this screen to end the program.
    virtual bool quitting() const { return false; }

    const char* const name; // identifies the object; not owned
};

extern State* currentState;

// leave the current state, enter next, make it current; false when the current one refused.
bool switchState(State* next);
