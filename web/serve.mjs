// Serves a folder on 127.0.0.1 only, with the types the page needs (WebAssembly is compiled while
// it downloads only when served as application/wasm). Usage: node serve.mjs DIR [PORT]; port 0
// picks a free one. Prints the address once listening. Also imported by the page's tests.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { pathToFileURL } from 'node:url';

const types = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript',
    '.wasm': 'application/wasm',
    '.data': 'application/octet-stream',
};

export function serve(folder, port = 0) {
    const server = createServer(async (request, response) => {
        const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
        const file = join(folder, path.endsWith('/') ? path + 'index.html' : path);
        try {
            const body = await readFile(file);
            response.writeHead(200, {
                'Content-Type': types[extname(file)] || 'application/octet-stream',
                'Cache-Control': 'no-cache',
            });
            response.end(body);
        } catch {
            response.writeHead(404).end();
        }
    });
    return new Promise((resolve) => {
        server.listen(port, '127.0.0.1', () => {
            resolve({ server, url: `http://127.0.0.1:${server.address().port}/` });
        });
    });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
    const { url } = await serve(process.argv[2] || '.', Number(process.argv[3] || 8080));
    console.log(`Gridlume is at ${url} (Ctrl+C stops it)`);
}
