// The tests' programs under Node see the environment Node was started with (XDG_DATA_HOME and
// the like), as a program on the desktop does.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
    Object.assign(ENV, process.env);
});
