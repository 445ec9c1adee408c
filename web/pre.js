// Runs inside the game's module before main: the player's data folder is kept in the browser's
// IndexedDB. It is read in before the game starts, and written back whenever a file there is
// put in place: the records file is replaced by a rename once per game (platform/Posix.cpp).
// Closure Compiler renames every property written with a dot, so what the page and the runtime
// read by name (Module's entries, the replay's fields) is written in quotes.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
    var folder = '/home/web_user/.local/share';
    FS.mkdirTree(folder);
    FS.mount(IDBFS, {}, folder);
    addRunDependency('player data');
    FS.syncfs(true, function (error) {
        if (error) console.warn('gridlume: saved records not read: ' + error);
        removeRunDependency('player data');
    });
    var rename = FS.rename;
    FS.rename = function (from, to) {
        rename(from, to);
        if (to.indexOf(folder + '/') === 0) {
            FS.syncfs(false, function (error) {
                if (error) console.warn('gridlume: records not kept: ' + error);
            });
        }
    };
});
// For the page's tests: a file the game wrote, or null.
Module['gridlumeReadFile'] = function (path) {
    try {
        return FS.readFile(path, { encoding: 'utf8' });
    } catch (e) {
        return null;
    }
};
// The page's replay controls. The game keeps its replays beside the records; the last game is
// the newest file there, which also outlives a reload.
var replayFolder = '/home/web_user/.local/share/gridlume/replays';
Module['gridlumeLastReplay'] = function () {
    var newest = null;
    try {
        FS.readdir(replayFolder).forEach(function (name) {
            if (!/\.gridlume-replay$/.test(name)) return;
            var at = FS.stat(replayFolder + '/' + name).mtime.getTime();
            if (!newest || at > newest.at || (at === newest.at && name > newest.name)) {
                newest = { name: name, at: at };
            }
        });
    } catch (e) {
        return null; // no game saved yet
    }
    return newest && { 'name': newest.name, 'bytes': FS.readFile(replayFolder + '/' + newest.name) };
};
// A file the player chose (its bytes), watched in the canvas; false when the game refused it
// (it says why on the console).
Module['gridlumeWatch'] = function (bytes) {
    var path = '/tmp/watched.gridlume-replay';
    FS.writeFile(path, bytes);
    return ccall('gridlume_watch', 'number', ['string'], [path]) === 1;
};
